#include "base/failing_disk_file_system.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

namespace scenario {

void failing_disk_file_system::fail_write_after(int n, std::size_t bytes) {
  countdown_ = n;
  limit_ = bytes;
}

void failing_disk_file_system::write_content(std::ofstream& out, const file_content& content) {
  ++writes_started_;
  if (countdown_ <= 0 || --countdown_ > 0) {
    disk_file_system::write_content(out, content);
    return;
  }
  // The bytes that fit reach the disk, then the device is full.
  std::size_t left = limit_;
  content.for_each_piece([&](std::uint64_t offset, std::string_view piece) {
    const std::size_t part = std::min(left, piece.size());
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(piece.data(), static_cast<std::streamsize>(part));
    left -= part;
  });
  out.flush();
  errno = ENOSPC;
  out.setstate(std::ios::badbit);
}

}  // namespace scenario
