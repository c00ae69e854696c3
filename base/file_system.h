// The narrow seam through which the program reaches the disk.
//
// Writers, readers and tools never open files themselves: they go through a
// file_system, so that tests can run on a folder in memory and make any
// write fail at a chosen point.
#pragma once

#include <filesystem>
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
  void remove_file(const std::filesystem::path& file) override;
  void remove_stale_temporary(const std::filesystem::path& file) override;

 protected:
  // Puts the whole content into the open temporary file. Tests override it
  // to make a write stop halfway, as a full disk would.
  virtual void write_content(std::ofstream& out, std::string_view bytes);
};

}  // namespace scenario
