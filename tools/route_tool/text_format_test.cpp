#include "tools/route_tool/text_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/utf8.h"

namespace scenario {
namespace {

TEST(TextFormat, KilometreFigures) {
  EXPECT_EQ(metri_e_km(22700), "22700 m (km 22+700)");
  EXPECT_EQ(km(0), "km 0+000");
  EXPECT_EQ(km(12475), "km 12+475");
  EXPECT_EQ(km(1000000), "km 1000+000");
  EXPECT_EQ(km(-50), "km -0+050");
  // The extremes of a 64-bit figure, the most negative one included.
  EXPECT_EQ(km(std::numeric_limits<std::int64_t>::min()), "km -9223372036854775+808");
  EXPECT_EQ(km(std::numeric_limits<std::int64_t>::max()), "km 9223372036854775+807");
}

TEST(TextFormat, TimesOfDay) {
  EXPECT_EQ(hh_mm_ss(49740), "13:49:00");
  EXPECT_EQ(hh_mm_ss(0), "00:00:00");
  EXPECT_EQ(hh_mm_ss(52680), "14:38:00");
  EXPECT_EQ(hh_mm_ss(-61), "-00:01:01");
  EXPECT_EQ(hh_mm_ss(90000), "25:00:00");
  EXPECT_EQ(hh_mm_ss(std::numeric_limits<std::int64_t>::min()), "-2562047788015215:30:08");
}

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
