#include <system_error>

#include "app/executable_folder.h"

namespace scenario {

std::filesystem::path executable_folder() {
  // The kernel's own link to the running image; it ignores the current
  // directory and argv[0].
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw std::filesystem::filesystem_error("program folder", "/proc/self/exe", ec);
  return exe.parent_path();
}

}  // namespace scenario
