#include "base/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/program_folder.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class DiskFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("vo_fs_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  disk_file_system disk_;
};

TEST_F(DiskFileSystemTest, ReplacesALongerOlderFileCompletely) {
  const fs::path f = dir_ / "a.txt";
  disk_.write_file(f, std::string(1000, 'x'));
  disk_.write_file(f, "short");
  EXPECT_EQ(disk_.read_file(f), "short");
  EXPECT_EQ(fs::file_size(f), 5u);
}

TEST_F(DiskFileSystemTest, FailedWriteNamesTheFileAndLeavesNoTemporary) {
  const fs::path f = dir_ / "blocked.txt";
  fs::create_directory(f);  // a folder standing where the file should go
  try {
    disk_.write_file(f, "data");
    FAIL() << "write into a folder's name succeeded";
  } catch (const file_error& e) {
    EXPECT_EQ(e.file(), f);
    EXPECT_FALSE(e.reason().empty());
  }
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 1);  // only the folder itself
}

TEST_F(DiskFileSystemTest, ExistsReadAndRemove) {
  const fs::path f = dir_ / "b.bin";
  EXPECT_FALSE(disk_.file_exists(f));
  EXPECT_THROW(disk_.read_file(f), file_error);
  EXPECT_THROW(disk_.remove_file(f), file_error);
  disk_.write_file(f, std::string("\0\r\n\xff", 4));
  EXPECT_TRUE(disk_.file_exists(f));
  EXPECT_EQ(disk_.read_file(f), std::string("\0\r\n\xff", 4));
  disk_.remove_file(f);
  EXPECT_FALSE(disk_.file_exists(f));
  EXPECT_FALSE(disk_.file_exists(dir_));  // a folder is not a file
}

TEST_F(DiskFileSystemTest, RemovesTheStaleTemporaryOfAFileAndNothingElse) {
  const fs::path f = dir_ / "a.dat";
  const fs::path tmp = temporary_path(f);
  EXPECT_EQ(tmp, dir_ / "a.dat.tmp~");
  disk_.write_file(f, "kept");
  std::ofstream(tmp, std::ios::binary) << "half a wri";
  // Names close to the temporary's, and another file's temporary.
  const fs::path others[] = {dir_ / "a.dat.tmp", dir_ / "a.dat.tmp~~", dir_ / "b.dat.tmp~"};
  for (const fs::path& o : others) std::ofstream(o, std::ios::binary) << "not ours";

  disk_.remove_stale_temporary(f);
  EXPECT_FALSE(fs::exists(tmp));
  EXPECT_EQ(disk_.read_file(f), "kept");
  for (const fs::path& o : others) EXPECT_EQ(disk_.read_file(o), "not ours") << o;

  // Nothing to remove is no failure; neither is a folder at that name,
  // which stays.
  disk_.remove_stale_temporary(f);
  fs::create_directory(tmp);
  disk_.remove_stale_temporary(f);
  EXPECT_TRUE(fs::is_directory(tmp));
}

TEST(ProgramFolder, SeparatorIsAlwaysInserted) {
  EXPECT_EQ(file_path({"/opt/sim", '/'}, "x.txt").native(), fs::path("/opt/sim/x.txt").native());
  // A root that already ends with a separator still gets one more.
  EXPECT_EQ(file_path({"/", '/'}, "x.txt").string(), "//x.txt");
}

}  // namespace
}  // namespace scenario
