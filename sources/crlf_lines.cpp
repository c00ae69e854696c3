#include "sources/crlf_lines.h"

namespace scenario {

std::optional<std::vector<std::string>> crlf_lines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') return std::nullopt;
      lines.push_back(line);
      line.clear();
      ++i;
    } else if (c == '\n') {
      return std::nullopt;
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) return std::nullopt;
  return lines;
}

}  // namespace scenario
