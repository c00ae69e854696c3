#include "base/failing_disk_file_system.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

namespace scenario {

void failing_disk_file_system::fail_write_after(int n, std::size_t bytes) {
  countdown_ = n;
  limit_ = bytes;
}

void failing_disk_file_system::write_content(std::ofstream& out, std::string_view bytes) {
  ++writes_started_;
  if (countdown_ <= 0 || --countdown_ > 0) {
    disk_file_system::write_content(out, bytes);
    return;
  }
  // The part that fits reaches the disk, then the device is full.
  const std::size_t part = std::min(limit_, bytes.size());
  out.write(bytes.data(), static_cast<std::streamsize>(part));
  out.flush();
  errno = ENOSPC;
  out.setstate(std::ios::badbit);
}

}  // namespace scenario
