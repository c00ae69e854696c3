#include "base/text_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/utf8.h"

namespace scenario {
namespace {

TEST(TextFormat, JsonStringsEscapeQuotesBackslashesAndControls) {
  EXPECT_EQ(json_string("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(json_string("x\ny\x01"), "\"x\\ny\\u0001\"");
  EXPECT_EQ(json_string("2\xc2\xb0 Bivio"), "\"2\xc2\xb0 Bivio\"");
}

TEST(TextFormat, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  EXPECT_EQ(utf8_sanitised("Bet\xe0 2\xc2\xb0"), "Bet\xef\xbf\xbd 2\xc2\xb0");
  EXPECT_EQ(utf8_sanitised("\xc2"), "\xef\xbf\xbd");                                  // cut short
  EXPECT_EQ(utf8_sanitised("\xed\xa0\x80"), "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");  // surrogate
  EXPECT_EQ(json_string("\xff"), "\"\xef\xbf\xbd\"");
}

TEST(TextFormat, JsonNumbersAreNullWhenNotFinite) {
  EXPECT_EQ(json_number(1.5, 2), "1.50");
  EXPECT_EQ(json_number(std::nan(""), 2), "null");
  EXPECT_EQ(json_number(-std::numeric_limits<double>::infinity(), 2), "null");
}

}  // namespace
}  // namespace scenario
