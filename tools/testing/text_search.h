// Test support: whether, and how many times, a piece of text stands in an
// output.
#pragma once

#include <cstddef>
#include <string>

namespace scenario::testing {

inline bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Overlapping occurrences count: "aa" stands twice in "aaa".
inline std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// `text` with its line `n` (from 1; lines end in CR LF) replaced by `with`.
inline std::string replace_line(const std::string& text, int n, const std::string& with) {
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) start = text.find("\r\n", start) + 2;
  return text.substr(0, start) + with + text.substr(text.find("\r\n", start));
}

}  // namespace scenario::testing
