#include <fcntl.h>
#include <io.h>

#include <climits>

#include "tools/lsp/stdio_channel.h"

namespace scenario::lsp {

void prepare_stdio() {
  _setmode(0, _O_BINARY);
  _setmode(1, _O_BINARY);
}

std::size_t read_stdin(char* buffer, std::size_t size) {
  const unsigned int most = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
  const int n = _read(0, buffer, most);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool write_stdout(std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned int most =
        bytes.size() > INT_MAX ? INT_MAX : static_cast<unsigned int>(bytes.size());
    const int n = _write(1, bytes.data(), most);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace scenario::lsp
