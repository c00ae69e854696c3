#include "base/utf8.h"

#include <gtest/gtest.h>

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
