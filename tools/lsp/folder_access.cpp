#include "tools/lsp/folder_access.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace scenario::lsp {

std::optional<std::string> disk_folders::read(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || size > largest_file_read) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::vector<std::filesystem::path> disk_folders::files_in(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code kind;
    if (it->is_regular_file(kind)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<std::string> memory_folders::read(const std::filesystem::path& file) {
  const auto it = files.find(file.generic_string());
  if (it == files.end() || it->second.size() > largest_file_read) return std::nullopt;
  return it->second;
}

std::vector<std::filesystem::path> memory_folders::files_in(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  for (const auto& [name, bytes] : files) {
    const std::filesystem::path p(name);
    if (p.parent_path().generic_string() == folder.generic_string()) found.push_back(p);
  }
  return found;
}

}  // namespace scenario::lsp
