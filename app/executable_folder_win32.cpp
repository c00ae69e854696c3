#include <windows.h>

#include <string>
#include <system_error>

#include "app/executable_folder.h"

namespace scenario {

std::filesystem::path executable_folder() {
  // The loader's own record of the running image; it ignores the current
  // directory and the command line. The name may be longer than MAX_PATH
  // (the long-path prefix), so the buffer grows until the whole name fits.
  constexpr DWORD longest_name = 32768;  // UTF-16 units, the system's limit
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(name.size());
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), size);
    if (length == 0) {
      throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                              "program folder");
    }
    if (length < size) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    // Truncated: the result filled the whole buffer.
    if (size >= longest_name) {
      throw std::system_error(ERROR_INSUFFICIENT_BUFFER, std::system_category(), "program folder");
    }
    name.resize(size * 2 > longest_name ? longest_name : size * 2);
  }
}

}  // namespace scenario
