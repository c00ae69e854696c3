// The narrow seam through which the program reaches the disk.
//
// Writers, readers and tools never open files themselves: they go through a
// file_system, so that tests can run on a folder in memory and make any
// write fail at a chosen point.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scenario {

// A file that could not be created, written, read or deleted. Carries the
// file's full name and the system's reason, for the report to the user.
class file_error : public std::runtime_error {
 public:
  file_error(std::filesystem::path file, std::string reason);
  const std::filesystem::path& file() const { return file_; }
  const std::string& reason() const { return reason_; }

 private:
  std::filesystem::path file_;
  std::string reason_;
};

// A file's content made in pieces at known offsets, for a file too large to
// be held in memory whole before it is written (the line data file of a long
// line). The pieces cover [0, size) once each, in any order.
class file_content {
 public:
  virtual ~file_content() = default;
  virtual std::uint64_t size() const = 0;
  virtual void for_each_piece(
      const std::function<void(std::uint64_t offset, std::string_view bytes)>& put) const = 0;
};

// Bytes already in memory, as one piece.
class bytes_content : public file_content {
 public:
  explicit bytes_content(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  void for_each_piece(
      const std::function<void(std::uint64_t, std::string_view)>& put) const override {
    put(0, bytes_);
  }

 private:
  std::string_view bytes_;
};

class file_system {
 public:
  virtual ~file_system() = default;

  // True when a file (not a folder) of that name exists.
  virtual bool file_exists(const std::filesystem::path& file) = 0;

  // Reads the whole file as bytes. Throws file_error when it cannot be read.
  virtual std::string read_file(const std::filesystem::path& file) = 0;

  // Replaces the file with exactly `bytes`, whatever stood there before and
  // however long it was. Throws file_error on failure; the older file, if
  // any, is then left as it was.
  virtual void write_file(const std::filesystem::path& file, std::string_view bytes) = 0;

  // The same for content made in pieces. By default the pieces are put
  // together in memory and written as above.
  virtual void write_file(const std::filesystem::path& file, const file_content& content);

  // Deletes the file. Throws file_error when it cannot be deleted (a missing
  // file included).
  virtual void remove_file(const std::filesystem::path& file) = 0;

  // Removes the temporary file that a write of `file` cut short (the process
  // killed halfway) left beside it. Never fails: a temporary that cannot be
  // removed is overwritten, or reported, by the next write of `file`. A
  // folder whose writes leave no temporary (in memory) has nothing to do.
  virtual void remove_stale_temporary(const std::filesystem::path& /*file*/) {}
};

// The temporary file that write_file fills before renaming it over `file`:
// beside it, the same name with ".tmp~" appended.
std::filesystem::path temporary_path(const std::filesystem::path& file);

// The real disk, through the C++ standard library.
class disk_file_system : public file_system {
 public:
  bool file_exists(const std::filesystem::path& file) override;
  std::string read_file(const std::filesystem::path& file) override;
  void write_file(const std::filesystem::path& file, std::string_view bytes) override;
  // The pieces go straight into the temporary file.
  void write_file(const std::filesystem::path& file, const file_content& content) override;
  void remove_file(const std::filesystem::path& file) override;
  void remove_stale_temporary(const std::filesystem::path& file) override;

 protected:
  // Puts the whole content into the open temporary file. Tests override it
  // to make a write stop halfway, as a full disk would.
  virtual void write_content(std::ofstream& out, const file_content& content);
};

}  // namespace scenario
