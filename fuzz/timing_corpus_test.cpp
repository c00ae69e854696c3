// Every input of the seed corpus, compiled and timed under the fuzz
// target's checks, with both trains.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "fuzz/timing_check.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

TEST(TimingCorpus, EveryInputHoldsTheChecks) {
  std::vector<fs::path> inputs;
  for (const auto& e : fs::directory_iterator(VO_CORPUS_DIR)) {
    if (e.is_regular_file()) inputs.push_back(e.path());
  }
  std::sort(inputs.begin(), inputs.end());
  ASSERT_GE(inputs.size(), 30u);
  for (const fs::path& p : inputs) {
    SCOPED_TRACE(p.filename().string());
    const std::string bytes = disk_file_system{}.read_file(p);
    EXPECT_EQ(check_timing(bytes, false), "");
    EXPECT_EQ(check_timing(bytes, true), "");
  }
}

}  // namespace
}  // namespace scenario
