// libFuzzer entry point for the checker: any byte string is a line file, a
// NUL, and a service file. The checker must not crash, and must agree with
// the compile step: the code compile records is among its errors, and it
// has none when compile records none. A broken promise aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/compile_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string problem = scenario::check_agrees_input(input);
  if (!problem.empty()) {
    std::fprintf(stderr, "check disagrees with compile: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
