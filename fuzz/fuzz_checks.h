// Properties of the readers, checked on any input: by the fuzz targets, and
// by the tests, which replay the seed corpus with the normal compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A session file: a load that fails leaves every table, code entry, binding,
// code_file and "active.rcf" as they were; a load that succeeds saves a file
// that loads again and saves to the same bytes. Empty when the properties
// hold, else what broke. Runs in a scratch directory of its own.
std::string check_session_input(const std::uint8_t* data, std::size_t size);

// A shader code file: a load that fails leaves the code table as it was; one
// that succeeds writes entries that read back to the same table.
std::string check_code_input(const std::uint8_t* data, std::size_t size);
