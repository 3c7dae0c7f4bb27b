// libFuzzer target: shader code files through the parser and the writer.
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = check_code_input(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "code file check: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
