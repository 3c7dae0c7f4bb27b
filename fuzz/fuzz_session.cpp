// libFuzzer target: session files through the reader and back.
#include <cstdio>
#include <cstdlib>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = check_session_input(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "session check: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
