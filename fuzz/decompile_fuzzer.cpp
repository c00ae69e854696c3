// libFuzzer entry point for the decompiler: any byte string is a line file,
// a NUL, and a service file. When they compile to binary files, those are
// decompiled and the texts compiled again: the bytes must come back, or the
// decompiler must say why not. A broken promise aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "tools/decompile/round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  std::optional<std::string_view> service;
  if (nul != std::string_view::npos) service = input.substr(nul + 1);
  const auto r = scenario::decompile::testing::run_round_trip(input.substr(0, nul), service);
  if (!r.decompiled) return 0;
  const auto& check = r.decompiled->check;
  const char* problem = nullptr;
  if (check.exact && !r.same_bytes()) problem = "said exact, but the bytes differ";
  if (!check.exact && !check.no_files && check.differences.empty() && !r.same_bytes()) {
    problem = "the bytes differ and no difference is named";
  }
  // Each place named carries its reason.
  for (const auto& d : check.differences) {
    if (d.why.empty()) problem = "a difference is named without its reason";
  }
  if (problem != nullptr) {
    std::fprintf(stderr, "decompile round trip: %s\n", problem);
    std::abort();
  }
  return 0;
}
