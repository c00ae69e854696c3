// How the server reads files the editor has not opened: the partner of a
// description file, and the files of its folder when pairing by content.
// The disk in use, a folder in memory in tests and under the fuzzer.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scenario::lsp {

// Files above this size are not read, nor checked when the editor has them
// open: no description file comes near it (the longest route, with a record
// every 50 m, takes about 0.4 MiB), and the checker takes about 2 s on a
// file of this size with a fault on every line.
inline constexpr std::size_t largest_file_read = 1u << 20;  // bytes

class folder_access {
 public:
  virtual ~folder_access() = default;
  // The file's bytes; nothing when it is missing, unreadable or too large.
  virtual std::optional<std::string> read(const std::filesystem::path& file) = 0;
  // The plain files of a folder, sorted by name; empty when unreadable.
  virtual std::vector<std::filesystem::path> files_in(const std::filesystem::path& folder) = 0;
};

class disk_folders : public folder_access {
 public:
  std::optional<std::string> read(const std::filesystem::path& file) override;
  std::vector<std::filesystem::path> files_in(const std::filesystem::path& folder) override;
};

// Files by their generic path ("/d/x_linea.txt").
class memory_folders : public folder_access {
 public:
  std::optional<std::string> read(const std::filesystem::path& file) override;
  std::vector<std::filesystem::path> files_in(const std::filesystem::path& folder) override;

  std::map<std::string, std::string> files;
};

}  // namespace scenario::lsp
