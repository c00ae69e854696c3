#include <windows.h>

#include "base/replace_file.h"

namespace scenario {

void replace_file(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::error_code& ec) {
  // The wide-character call, so that any file name works whatever the ANSI
  // code page. A folder standing at `to` is never replaced.
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ec.assign(static_cast<int>(GetLastError()), std::system_category());
    return;
  }
  ec.clear();
}

}  // namespace scenario
