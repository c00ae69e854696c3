// libFuzzer entry point: any byte string is a line file, a NUL, and a
// service file. A broken check aborts, so libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/compile_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const scenario::compile_check_result r = scenario::check_compile_input(input);
  if (!r.problem.empty()) {
    std::fprintf(stderr, "compile check failed: %s\n", r.problem.c_str());
    std::abort();
  }
  return 0;
}
