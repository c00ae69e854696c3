#include "base/memory_file_system.h"

namespace scenario {

namespace {
std::string key(const std::filesystem::path& file) {
  return file.generic_string();
}
}  // namespace

bool memory_file_system::file_exists(const std::filesystem::path& file) {
  return files.count(key(file)) != 0;
}

std::string memory_file_system::read_file(const std::filesystem::path& file) {
  auto it = files.find(key(file));
  if (it == files.end()) throw file_error(file, "No such file or directory");
  return it->second;
}

void memory_file_system::write_file(const std::filesystem::path& file, std::string_view bytes) {
  auto fail = failing_writes_.find(key(file));
  if (fail != failing_writes_.end()) {
    std::string reason = fail->second;
    failing_writes_.erase(fail);
    throw file_error(file, reason);
  }
  files[key(file)] = std::string(bytes);
  log.push_back("write " + key(file));
}

void memory_file_system::remove_file(const std::filesystem::path& file) {
  auto fail = failing_removes_.find(key(file));
  if (fail != failing_removes_.end()) {
    std::string reason = fail->second;
    failing_removes_.erase(fail);
    throw file_error(file, reason);
  }
  if (files.erase(key(file)) == 0) throw file_error(file, "No such file or directory");
  log.push_back("remove " + key(file));
}

void memory_file_system::fail_write(const std::filesystem::path& file, std::string reason) {
  failing_writes_[key(file)] = std::move(reason);
}

void memory_file_system::fail_remove(const std::filesystem::path& file, std::string reason) {
  failing_removes_[key(file)] = std::move(reason);
}

}  // namespace scenario
