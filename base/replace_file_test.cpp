#include "base/replace_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace scenario {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vo_replace_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  void put(const fs::path& f, const std::string& bytes) {
    std::ofstream(f, std::ios::binary) << bytes;
  }
  std::string get(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  fs::path dir_;
};

TEST_F(ReplaceFileTest, ReplacesAnExistingFileAndClearsTheCode) {
  put(dir_ / "new.tmp~", "new");
  put(dir_ / "a.txt", "older and longer");
  std::error_code ec = std::make_error_code(std::errc::io_error);
  replace_file(dir_ / "new.tmp~", dir_ / "a.txt", ec);
  EXPECT_FALSE(ec);
  EXPECT_EQ(get(dir_ / "a.txt"), "new");
  EXPECT_FALSE(fs::exists(dir_ / "new.tmp~"));
}

TEST_F(ReplaceFileTest, CreatesAMissingTarget) {
  put(dir_ / "new.tmp~", "new");
  std::error_code ec;
  replace_file(dir_ / "new.tmp~", dir_ / "b.txt", ec);
  EXPECT_FALSE(ec);
  EXPECT_EQ(get(dir_ / "b.txt"), "new");
}

TEST_F(ReplaceFileTest, AFolderAtTheTargetFailsAndLeavesBothInPlace) {
  put(dir_ / "new.tmp~", "new");
  fs::create_directory(dir_ / "c.txt");
  std::error_code ec;
  replace_file(dir_ / "new.tmp~", dir_ / "c.txt", ec);
  EXPECT_TRUE(ec);
  EXPECT_FALSE(ec.message().empty());
  EXPECT_TRUE(fs::is_directory(dir_ / "c.txt"));
  EXPECT_EQ(get(dir_ / "new.tmp~"), "new");
}

TEST_F(ReplaceFileTest, AMissingSourceFails) {
  std::error_code ec;
  replace_file(dir_ / "none.tmp~", dir_ / "d.txt", ec);
  EXPECT_TRUE(ec);
  EXPECT_FALSE(fs::exists(dir_ / "d.txt"));
}

}  // namespace
}  // namespace scenario
