// Every input kept in the decode fuzzer's corpus runs through the same
// checks as in the fuzzer. Inputs named ok_* must decode, bad_* must be
// refused with a decode error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/file_system.h"
#include "fuzz/decode_check.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& p) {
  return disk_file_system{}.read_file(p);
}

TEST(DecodeCorpus, EveryInputHoldsTheChecks) {
  int ok = 0, bad = 0;
  for (const auto& e : fs::directory_iterator(VO_DECODE_CORPUS_DIR)) {
    const std::string name = e.path().filename().string();
    SCOPED_TRACE(name);
    const decode_check_result r = check_decode_input(read_bytes(e.path()));
    EXPECT_EQ(r.problem, "");
    if (name.starts_with("ok_")) {
      ++ok;
      EXPECT_TRUE(r.decoded);
    } else if (name.starts_with("bad_")) {
      ++bad;
      EXPECT_FALSE(r.decoded);
    }
  }
  EXPECT_GE(ok, 1);
  EXPECT_GE(bad, 3);
}

// The seed the fuzzer mutates is the test route of the decoders' tests;
// VO_REBASE_GOLDEN=1 writes it again after that route changes.
TEST(DecodeCorpus, SampleSeedIsTheSampleRoute) {
  const modello_percorso m = testing::sample_model();
  const std::string expected =
      pack_decode_input(testing::encode_sim(m), testing::encode_cells(m), testing::encode_line(m));
  const fs::path seed = fs::path(VO_DECODE_CORPUS_DIR) / "ok_sample_route";
  if (const char* rebase = std::getenv("VO_REBASE_GOLDEN"); rebase && std::string(rebase) == "1") {
    disk_file_system{}.write_file(seed, expected);
  }
  EXPECT_EQ(read_bytes(seed), expected);
}

TEST(DecodeCorpus, PackedInputsSplitBackIntoTheirFiles) {
  const modello_percorso m = testing::sample_model();
  const std::string sim = testing::encode_sim(m);
  const std::string cells = testing::encode_cells(m);
  const std::string line = testing::encode_line(m);
  EXPECT_TRUE(check_decode_input(pack_decode_input(sim, cells, line)).decoded);
  // Each file one byte short, and lengths past the end of the input.
  for (const std::string& input : {
           pack_decode_input(sim.substr(1), cells, line),
           pack_decode_input(sim, cells.substr(1), line),
           pack_decode_input(sim, cells, line.substr(1)),
           pack_decode_input(sim, cells, line).substr(0, 4 + sim.size() + 2),
           std::string("\xff\xff\xff\xff", 4),
           std::string(),
       }) {
    const decode_check_result r = check_decode_input(input);
    EXPECT_FALSE(r.decoded);
    EXPECT_EQ(r.problem, "");
  }
}

}  // namespace
}  // namespace scenario
