#include "tools/lsp/text_position.h"

#include <gtest/gtest.h>

namespace scenario::lsp {
namespace {

using enum position_encoding;

// "a", e-grave (2 bytes), a character past the BMP (4 bytes, two UTF-16
// units), "b"; then a CR LF line, a lone CR line and a lone LF line.
const std::string text =
    "a\xC3\xA8\xF0\x9F\x9A\x82"
    "b\r\nxy\rz\n\n";

TEST(TextPosition, LinesEndAtCrLfCrOrLf) {
  const text_lines l(text);
  ASSERT_EQ(l.line_count(), 5u);
  EXPECT_EQ(l.line(1), "xy");
  EXPECT_EQ(l.line(2), "z");
  EXPECT_EQ(l.line(3), "");
  EXPECT_EQ(l.line(4), "");
  EXPECT_EQ(l.line(9), "");
}

TEST(TextPosition, EachEncodingCountsItsUnits) {
  const text_lines l(text);
  // Before "b": 3 characters, 4 UTF-16 units, 7 bytes.
  EXPECT_EQ(l.offset({0, 4}, utf16), 7u);
  EXPECT_EQ(l.offset({0, 7}, utf8), 7u);
  EXPECT_EQ(l.offset({0, 3}, utf32), 7u);
  EXPECT_EQ(l.position(7, utf16).character, 4);
  EXPECT_EQ(l.position(7, utf8).character, 7);
  EXPECT_EQ(l.position(7, utf32).character, 3);
  EXPECT_EQ(l.characters_before({0, 4}, utf16), 3u);
  EXPECT_EQ(l.units(0, 3, utf16), 4);
  EXPECT_EQ(l.units(0, 4, utf16), 5);
  EXPECT_EQ(l.units(0, 4, utf8), 8);
  // Between the two halves of a surrogate pair: the character's start.
  EXPECT_EQ(l.offset({0, 3}, utf16), 3u);
  EXPECT_EQ(l.characters_before({0, 3}, utf16), 2u);
}

TEST(TextPosition, PlacesPastTheEndAreClamped) {
  const text_lines l(text);
  EXPECT_EQ(l.offset({1, 99}, utf16), 12u);  // the end of "xy"
  EXPECT_EQ(l.offset({99, 0}, utf16), text.size());
  EXPECT_EQ(l.offset({-1, 0}, utf16), 0u);
  EXPECT_EQ(l.units(1, 10, utf16), 2);
  const text_position end = l.position(text.size() + 5, utf16);
  EXPECT_EQ(end.line, 4);
  EXPECT_EQ(end.character, 0);
  for (std::size_t o = 0; o <= text.size(); ++o) {
    // Every offset at a character's start comes back from its position.
    const text_position p = l.position(o, utf16);
    const std::size_t back = l.offset(p, utf16);
    EXPECT_LE(back, o);
  }
}

}  // namespace
}  // namespace scenario::lsp
