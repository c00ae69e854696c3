// The small facts of a line of a description file that several features
// share: the blanks the readers skip, and what a section header looks like.
#pragma once

#include <string_view>

namespace scenario::lsp {

// Space and tab: the blanks the readers skip before a field.
inline bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

inline std::string_view without_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// "[segnali]" alone on its line, blanks around it allowed.
inline bool section_header(std::string_view line) {
  line = without_blanks(line);
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace scenario::lsp
