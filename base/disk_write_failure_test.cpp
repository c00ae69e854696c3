// A write that fails halfway on a real folder: the older file must survive
// byte for byte, no temporary file may stay behind, and the error must name
// the file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "base/failing_disk_file_system.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class DiskWriteFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Unique per run, so two builds testing at once never share a folder.
    dir_ =
        fs::temp_directory_path() /
        ("vo_fail_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
         "_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::set<std::string> names() const {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir_)) out.insert(e.path().filename().string());
    return out;
  }

  fs::path dir_;
  failing_disk_file_system disk_;
};

// Bytes of every value, CR LF and NUL included, so a text-mode slip would show.
std::string binary_content(std::size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed) & 0xff);
  return s;
}

TEST_F(DiskWriteFailureTest, OlderFileSurvivesAWriteThatStopsHalfway) {
  const fs::path f = dir_ / "Viterbo_Attigliano_Orte_7547.dat";
  const std::string older = binary_content(20115, 7);
  disk_.write_file(f, older);

  disk_.fail_write_after(1, 10000);
  try {
    disk_.write_file(f, binary_content(30000, 9));
    FAIL() << "a write that stopped halfway reported success";
  } catch (const file_error& e) {
    EXPECT_EQ(e.file(), f);
    EXPECT_NE(std::string(e.what()).find(f.string()), std::string::npos);
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_EQ(disk_.read_file(f), older);
  EXPECT_EQ(names(), std::set<std::string>{f.filename().string()});
}

TEST_F(DiskWriteFailureTest, FailureBeforeTheFirstByteLeavesNoFileWhereThereWasNone) {
  const fs::path f = dir_ / "new.sim";
  disk_.fail_write_after(1, 0);
  EXPECT_THROW(disk_.write_file(f, "abc"), file_error);
  EXPECT_FALSE(disk_.file_exists(f));
  EXPECT_TRUE(names().empty());
}

TEST_F(DiskWriteFailureTest, OnlyTheChosenWriteFailsAndLaterOnesSucceed) {
  const fs::path a = dir_ / "a.txt";
  const fs::path b = dir_ / "b.txt";
  disk_.fail_write_after(2, 1);
  disk_.write_file(a, "first");
  EXPECT_THROW(disk_.write_file(b, "second"), file_error);
  disk_.write_file(b, "third");
  EXPECT_EQ(disk_.read_file(a), "first");
  EXPECT_EQ(disk_.read_file(b), "third");
  EXPECT_EQ(names(), (std::set<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(disk_.writes_started(), 3);
}

TEST_F(DiskWriteFailureTest, ReplacingAFileLeavesOnlyTheFile) {
  const fs::path f = dir_ / "c.txt";
  disk_.write_file(f, binary_content(5000, 1));
  disk_.write_file(f, binary_content(10, 2));
  EXPECT_EQ(disk_.read_file(f), binary_content(10, 2));
  EXPECT_EQ(names(), std::set<std::string>{"c.txt"});
}

}  // namespace
}  // namespace scenario
