// libFuzzer entry point for the driver's documents: any byte string is read
// as a timetable sheet and as a slowdown order form and checked against the
// fixed scenario. A broken check aborts, so libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/documents_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string problem = scenario::check_documents_input(input);
  if (!problem.empty()) {
    std::fprintf(stderr, "documents check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
