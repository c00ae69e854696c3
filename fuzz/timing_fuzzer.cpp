// libFuzzer entry point: a line file, a NUL and a service file, compiled and
// timed. A broken check aborts, so libFuzzer keeps the input; a hang is
// caught by -timeout.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/timing_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string problem = scenario::check_timing_input(input);
  if (!problem.empty()) {
    std::fprintf(stderr, "timing check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
