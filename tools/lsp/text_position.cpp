#include "tools/lsp/text_position.h"

#include <algorithm>

#include "base/utf8.h"

namespace scenario::lsp {

std::size_t character_bytes(std::string_view s) {
  const carattere_utf8 c = decodifica_utf8(s);
  return c.byte == 0 ? 1 : c.byte;
}

namespace {

std::int64_t character_units(std::size_t bytes, position_encoding e) {
  if (e == position_encoding::utf8) return static_cast<std::int64_t>(bytes);
  if (e == position_encoding::utf32) return 1;
  return bytes == 4 ? 2 : 1;  // past the BMP: a surrogate pair
}

}  // namespace

text_lines::text_lines(std::string_view utf8) : text_(utf8) {
  std::size_t start = 0;
  for (;;) {
    std::size_t end = start;
    while (end < utf8.size() && utf8[end] != '\r' && utf8[end] != '\n') ++end;
    starts_.push_back(start);
    ends_.push_back(end);
    if (end == utf8.size()) break;
    start = end + (utf8[end] == '\r' && end + 1 < utf8.size() && utf8[end + 1] == '\n' ? 2 : 1);
  }
}

std::string_view text_lines::line(std::size_t i) const {
  if (i >= starts_.size()) return {};
  return text_.substr(starts_[i], ends_[i] - starts_[i]);
}

std::size_t text_lines::offset(const text_position& p, position_encoding e) const {
  if (p.line < 0) return 0;
  const auto i = static_cast<std::size_t>(p.line);
  if (i >= starts_.size()) return text_.size();
  const std::string_view l = line(i);
  std::size_t at = 0;
  std::int64_t units_seen = 0;
  while (at < l.size()) {
    const std::size_t n = character_bytes(l.substr(at));
    const std::int64_t u = character_units(n, e);
    // A position inside a character (between two surrogates) means its start.
    if (units_seen + u > p.character) break;
    units_seen += u;
    at += n;
  }
  return starts_[i] + at;
}

text_position text_lines::position(std::size_t offset, position_encoding e) const {
  offset = std::min(offset, text_.size());
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const auto i = static_cast<std::size_t>(after - starts_.begin()) - 1;
  const std::size_t end = std::min(offset, ends_[i]);
  std::int64_t units_seen = 0;
  for (std::size_t at = starts_[i]; at < end;) {
    const std::size_t n = character_bytes(text_.substr(at, ends_[i] - at));
    if (at + n > end) break;  // inside a character: its start
    units_seen += character_units(n, e);
    at += n;
  }
  return {static_cast<std::int64_t>(i), units_seen};
}

std::size_t text_lines::characters_before(const text_position& p, position_encoding e) const {
  if (p.line < 0 || static_cast<std::size_t>(p.line) >= starts_.size()) return 0;
  const std::size_t end = offset(p, e);
  std::size_t count = 0;
  for (std::size_t at = starts_[static_cast<std::size_t>(p.line)]; at < end; ++count) {
    at += character_bytes(text_.substr(at, end - at));
  }
  return count;
}

std::int64_t text_lines::units(std::size_t i, std::size_t characters, position_encoding e) const {
  const std::string_view l = line(i);
  std::int64_t total = 0;
  std::size_t at = 0;
  for (std::size_t c = 0; c < characters; ++c) {
    if (at >= l.size()) break;  // past the line's end: its end
    const std::size_t n = character_bytes(l.substr(at));
    total += character_units(n, e);
    at += n;
  }
  return total;
}

}  // namespace scenario::lsp
