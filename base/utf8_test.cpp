#include "base/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace scenario {
namespace {

TEST(decode_utf8, DecodesWellFormedSequencesOfEveryLength) {
  EXPECT_EQ(decode_utf8(" Errore n. 1250"), U" Errore n. 1250");
  EXPECT_EQ(decode_utf8("\xC3\xA8"), U"\u00E8");              // è
  EXPECT_EQ(decode_utf8("\xE2\x82\xAC"), U"\u20AC");          // euro sign
  EXPECT_EQ(decode_utf8("\xF0\x9F\x9A\x86"), U"\U0001F686");  // train
  EXPECT_EQ(decode_utf8("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");
  EXPECT_EQ(decode_utf8(""), U"");
}

TEST(decode_utf8, ASequenceEndsAtItsLengthBeforeTheNextCharacter) {
  EXPECT_EQ(decode_utf8("a\xC3\xA8"
                        "b"),
            U"a\u00E8b");
  EXPECT_EQ(decode_utf8("\xE2\x82\xAC\xC3\xA8"), U"\u20AC\u00E8");
  EXPECT_EQ(decode_utf8("\xF0\x9F\x9A\x86"
                        "1"),
            U"\U0001F686"
            U"1");
}

TEST(append_utf8, EncodesEachLengthAtItsBoundaries) {
  const std::pair<char32_t, std::string_view> table[] = {
      {0x00, std::string_view("\0", 1)},
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0xE8, "\xC3\xA8"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0x20AC, "\xE2\x82\xAC"},
      {0xFFFD, "\xEF\xBF\xBD"},
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x1F686, "\xF0\x9F\x9A\x86"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [cp, bytes] : table) {
    std::string out = "x";
    append_utf8(out, cp);
    EXPECT_EQ(out, "x" + std::string(bytes)) << std::hex << static_cast<std::uint32_t>(cp);
    EXPECT_EQ(decode_utf8(bytes), std::u32string(1, cp));
  }
}

TEST(decode_utf8, EachBadByteBecomesOneReplacementCharacter) {
  EXPECT_EQ(decode_utf8("a\xFF"
                        "b"),
            U"a\uFFFDb");                     // never a lead byte
  EXPECT_EQ(decode_utf8("\xE8"), U"\uFFFD");  // Windows-1252 è
  EXPECT_EQ(decode_utf8("\xC3"), U"\uFFFD");  // cut short at the end
  EXPECT_EQ(decode_utf8("\xE2\x82"
                        "x"),
            U"\uFFFD\uFFFDx");                                              // cut short inside
  EXPECT_EQ(decode_utf8("\xC0\xAF"), U"\uFFFD\uFFFD");                      // overlong '/'
  EXPECT_EQ(decode_utf8("\xE0\x80\xAF"), U"\uFFFD\uFFFD\uFFFD");            // overlong, 3 bytes
  EXPECT_EQ(decode_utf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");            // surrogate half
  EXPECT_EQ(decode_utf8("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(decode_utf8("\x80"), U"\uFFFD");                                // lone continuation
}

}  // namespace
}  // namespace scenario
