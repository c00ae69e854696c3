// libFuzzer entry point for the language server: any byte string is what an
// editor sends on standard input. A broken check aborts, so libFuzzer keeps
// the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/lsp_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const scenario::lsp_check_result r = scenario::check_lsp_input(input);
  if (!r.problem.empty()) {
    std::fprintf(stderr, "lsp check failed: %s\n", r.problem.c_str());
    std::abort();
  }
  return 0;
}
