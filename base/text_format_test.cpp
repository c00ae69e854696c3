#include "base/text_format.h"

#include <gtest/gtest.h>

#include "base/utf8.h"

namespace scenario {
namespace {

TEST(TextFormat, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  EXPECT_EQ(utf8_sanitised("Bet\xe0 2\xc2\xb0"), "Bet\xef\xbf\xbd 2\xc2\xb0");
  EXPECT_EQ(utf8_sanitised("\xc2"), "\xef\xbf\xbd");                                  // cut short
  EXPECT_EQ(utf8_sanitised("\xed\xa0\x80"), "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");  // surrogate
}

TEST(TextFormat, FiguresWithAndWithoutTrailingZeros) {
  EXPECT_EQ(fixed_decimals(12.5, 2), "12.50");
  EXPECT_EQ(fixed_decimals(-0.04, 1), "-0.0");
  EXPECT_EQ(fixed_decimals(1e300, 1).size(), 303u);  // no cut at 64 characters
  EXPECT_EQ(short_decimals(12.5, 6), "12.5");
  EXPECT_EQ(short_decimals(35.0, 1), "35");
  EXPECT_EQ(short_decimals(-0.25, 6), "-0.25");
  EXPECT_EQ(short_decimals(-0.04, 1), "0");
  EXPECT_EQ(short_decimals(1000.0, 0), "1000");
}

}  // namespace
}  // namespace scenario
