#include "base/file_system.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/path_utf8.h"
#include "base/replace_file.h"

namespace scenario {

namespace fs = std::filesystem;

file_error::file_error(fs::path file, std::string reason)
    : std::runtime_error(path_utf8(file) + ": " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

namespace {

std::string errno_reason(const char* fallback) {
  const int e = errno;
  if (e == 0) return fallback;
  return std::generic_category().message(e);
}

}  // namespace

// The temporary file sits beside the target so that the final rename never
// crosses a file system.
fs::path temporary_path(const fs::path& file) {
  fs::path tmp = file;
  tmp += ".tmp~";
  return tmp;
}

bool disk_file_system::file_exists(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

std::string disk_file_system::read_file(const fs::path& file) {
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) throw file_error(file, errno_reason("cannot be opened for reading"));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw file_error(file, errno_reason("read failed"));
  return bytes;
}

void file_system::write_file(const fs::path& file, const file_content& content) {
  std::string bytes(static_cast<std::size_t>(content.size()), '\0');
  content.for_each_piece([&bytes](std::uint64_t offset, std::string_view piece) {
    bytes.replace(static_cast<std::size_t>(offset), piece.size(), piece);
  });
  write_file(file, std::string_view(bytes));
}

void disk_file_system::write_file(const fs::path& file, std::string_view bytes) {
  write_file(file, bytes_content(bytes));
}

void disk_file_system::write_file(const fs::path& file, const file_content& content) {
  // The complete content goes to a temporary file first and is then renamed
  // over the old name, so a failure halfway never loses the older file.
  const fs::path tmp = temporary_path(file);
  std::error_code ignored;
  {
    errno = 0;
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) throw file_error(file, errno_reason("cannot be created"));
    write_content(out, content);
    out.flush();
    if (!out) {
      const std::string reason = errno_reason("write failed");
      out.close();
      fs::remove(tmp, ignored);
      throw file_error(file, reason);
    }
    out.close();
    if (!out) {
      const std::string reason = errno_reason("close failed");
      fs::remove(tmp, ignored);
      throw file_error(file, reason);
    }
  }
  std::error_code ec;
  replace_file(tmp, file, ec);
  if (ec) {
    fs::remove(tmp, ignored);
    throw file_error(file, ec.message());
  }
}

void disk_file_system::write_content(std::ofstream& out, const file_content& content) {
  content.for_each_piece([&out](std::uint64_t offset, std::string_view piece) {
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
  });
}

void disk_file_system::remove_file(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) throw file_error(file, "file not found");
  if (!fs::remove(file, ec) || ec) throw file_error(file, ec ? ec.message() : "cannot be deleted");
}

void disk_file_system::remove_stale_temporary(const fs::path& file) {
  // Only a plain file of exactly that name: a folder or anything else
  // standing there is not ours.
  const fs::path tmp = temporary_path(file);
  std::error_code ec;
  if (fs::is_regular_file(fs::symlink_status(tmp, ec))) fs::remove(tmp, ec);
}

}  // namespace scenario
