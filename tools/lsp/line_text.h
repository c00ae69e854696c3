// The small facts of a line of a description file that several features
// share: the blanks the readers skip, and what a section header looks like.
#pragma once

#include <string_view>

#include "base/text_format.h"

namespace scenario::lsp {

// "[segnali]" alone on its line, blanks around it allowed.
inline bool section_header(std::string_view line) {
  line = without_blanks(line);
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace scenario::lsp
