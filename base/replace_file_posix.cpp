#include <cerrno>
#include <cstdio>

#include "base/replace_file.h"

namespace scenario {

void replace_file(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::error_code& ec) {
  // rename(2) replaces an existing target atomically within one file system.
  errno = 0;
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    ec.assign(errno != 0 ? errno : EIO, std::generic_category());
    return;
  }
  ec.clear();
}

}  // namespace scenario
