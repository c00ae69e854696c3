// Places in a text as the editor counts them and as the checker does. The
// editor sends UTF-8 and counts a line's characters in UTF-16 code units
// (or UTF-8 bytes or code points, when both sides agree on it); the checker reads the same
// text in Windows-1252, one byte per character, so its 1-based column is
// the character's index on its line plus one. Lines end at CR LF, LF or CR
// on both sides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace scenario::lsp {

// Bytes of the UTF-8 character at the start of s; a byte that starts no
// well-formed sequence counts as a character of its own.
std::size_t character_bytes(std::string_view s);

enum class position_encoding : std::uint8_t { utf16, utf8, utf32 };

struct text_position {
  std::int64_t line = 0;       // 0-based
  std::int64_t character = 0;  // code units of the encoding from the line's start
};

struct text_range {
  text_position start;
  text_position end;
};

class text_lines {
 public:
  explicit text_lines(std::string_view utf8);

  std::size_t line_count() const { return starts_.size(); }
  // Line i without its line end; empty past the last line.
  std::string_view line(std::size_t i) const;
  // The text's byte offset of a position; a character past the line's end
  // means its end, a line past the last the text's end.
  std::size_t offset(const text_position& p, position_encoding e) const;
  // The position of a byte offset (clamped to the text).
  text_position position(std::size_t offset, position_encoding e) const;
  // Characters (code points) before a position on its line: the checker's
  // column less one.
  std::size_t characters_before(const text_position& p, position_encoding e) const;
  // Code units of the first `characters` characters of line i.
  std::int64_t units(std::size_t line, std::size_t characters, position_encoding e) const;

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;  // first byte of each line
  std::vector<std::size_t> ends_;    // end of each line's content
};

}  // namespace scenario::lsp
