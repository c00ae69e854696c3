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

}  // namespace
}  // namespace scenario
