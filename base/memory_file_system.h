// A folder in memory, for tests: every file the code under test writes or
// deletes is seen here, and any write or delete can be made to fail.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace scenario {

class memory_file_system : public file_system {
 public:
  bool file_exists(const std::filesystem::path& file) override;
  std::string read_file(const std::filesystem::path& file) override;
  using file_system::write_file;
  void write_file(const std::filesystem::path& file, std::string_view bytes) override;
  void remove_file(const std::filesystem::path& file) override;

  // The next write of `file` throws file_error with `reason`; the stored
  // content stays as it was.
  void fail_write(const std::filesystem::path& file, std::string reason = "disk full");
  void fail_remove(const std::filesystem::path& file, std::string reason = "access denied");

  // Files by generic path, and every write and delete in the order made
  // ("write NAME" / "remove NAME", with the generic path).
  std::map<std::string, std::string> files;
  std::vector<std::string> log;

 private:
  std::map<std::string, std::string> failing_writes_;
  std::map<std::string, std::string> failing_removes_;
};

}  // namespace scenario
