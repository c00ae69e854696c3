// libFuzzer entry point for route_tool's readers: any byte string packs a
// simulation file, a cell data file and a line data file. A broken check
// aborts, so libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/decode_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const scenario::decode_check_result r = scenario::check_decode_input(input);
  if (!r.problem.empty()) {
    std::fprintf(stderr, "decode check failed: %s\n", r.problem.c_str());
    std::abort();
  }
  return 0;
}
