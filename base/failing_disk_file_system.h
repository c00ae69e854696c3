// The real disk, for tests, with one write that stops halfway: the chosen
// write puts only its first bytes into the temporary file and then fails as
// a full disk would, so the cleanup after a failed write can be checked on
// a real folder.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

#include "base/file_system.h"

namespace scenario {

class failing_disk_file_system : public disk_file_system {
 public:
  // The n-th write from now (1 = the next one) stops after `bytes` bytes.
  void fail_write_after(int n, std::size_t bytes);

  int writes_started() const { return writes_started_; }

 protected:
  void write_content(std::ofstream& out, const file_content& content) override;

 private:
  int countdown_ = 0;
  std::size_t limit_ = 0;
  int writes_started_ = 0;
};

}  // namespace scenario
