#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Cp1252, ConvertsTheScenarioCharactersToSingleBytes) {
  EXPECT_EQ(utf8_to_cp1252("2° Bivio"), "2\xB0 Bivio");
  EXPECT_EQ(utf8_to_cp1252("Località àèòù"), "Localit\xE0 \xE0\xE8\xF2\xF9");
  EXPECT_EQ(utf8_to_cp1252("€ – …"), "\x80 \x96 \x85");
}

TEST(Cp1252, SubstitutesWhatTheCodePageCannotHold) {
  EXPECT_EQ(utf8_to_cp1252("a\xE2\x88\x9E"
                           "b"),
            "a?b");                          // U+221E infinity
  EXPECT_EQ(utf8_to_cp1252("a\xC3"), "a?");  // truncated sequence
  EXPECT_EQ(utf8_to_cp1252("\xFF"), "?");    // not UTF-8 at all
}

TEST(Cp1252, RoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all)), all);
}

TEST(Cp1252, TheBytes80To9FAreTheCodePagesCharacters) {
  // Five bytes are unassigned and stand for the C1 control of their value.
  std::string high;
  for (int b = 0x80; b < 0xA0; ++b) high.push_back(static_cast<char>(b));
  EXPECT_EQ(cp1252_to_utf8(high), "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
  EXPECT_EQ(utf8_to_cp1252("™Ÿ€"), "\x99\x9F\x80");
  EXPECT_EQ(cp1252_to_utf8("\x7F\xA0\xFF"), "\x7F\u00A0\u00FF");
}

TEST(Cp1252, LowerCaseAndSubstringTests) {
  EXPECT_EQ(cp1252_lower("ABC_xyz\xC0\xD7\xDE\x8A\x9F"), "abc_xyz\xE0\xD7\xFE\x9A\xFF");
  EXPECT_TRUE(contains_any_case("CURVAD4", "curva"));
  EXPECT_FALSE(contains("CURVAD4", "curva"));
  EXPECT_FALSE(contains_any_case("[curve]", "curva"));
}

}  // namespace
}  // namespace scenario
