// Every input of the compile fuzzer's corpus that compiles to binary files,
// damaged and odd ones included, comes back as text that compiles to the
// same files byte for byte; those named "named_*", which no text gives
// back, have every difference named with its reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "tools/decompile/round_trip.h"

namespace scenario::decompile {
namespace {

namespace fs = std::filesystem;

TEST(DecompileCorpus, EveryInputWithFilesRoundTrips) {
  std::vector<fs::path> inputs;
  for (const auto& e : fs::directory_iterator(VO_CORPUS_DIR)) {
    if (e.is_regular_file()) inputs.push_back(e.path());
  }
  std::sort(inputs.begin(), inputs.end());
  int with_files = 0;
  for (const fs::path& p : inputs) {
    SCOPED_TRACE(p.filename().string());
    const std::string input = disk_file_system{}.read_file(p);
    const std::size_t nul = input.find('\0');
    const std::string_view all(input);
    const testing::round_trip r =
        nul == std::string::npos ? testing::run_round_trip(all, std::nullopt)
                                 : testing::run_round_trip(all.substr(0, nul), all.substr(nul + 1));
    if (r.first.esito != esito_compilazione::completato) continue;
    ++with_files;
    const auto& check = r.decompiled->check;
    if (p.filename().string().starts_with("named_")) {
      EXPECT_FALSE(check.exact);
      EXPECT_FALSE(check.differences.empty());
      for (const auto& d : check.differences) EXPECT_FALSE(d.why.empty()) << d.at.index;
      continue;
    }
    EXPECT_TRUE(r.same_bytes());
    EXPECT_TRUE(r.decompiled->check.exact) << r.decompiled->check.differences.size();
    if (!r.same_bytes()) {
      for (const auto& d : r.decompiled->check.differences) {
        if (&d - r.decompiled->check.differences.data() > 8) break;
        std::string f;
        for (const auto& x : d.fields) f += " " + x.field + " " + x.in_file + "/" + x.from_text;
        ADD_FAILURE() << static_cast<int>(d.at.where) << " " << d.at.index << ": " << d.why << f;
      }
    }
  }
  EXPECT_GE(with_files, 30);
}

}  // namespace
}  // namespace scenario::decompile
