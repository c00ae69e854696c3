#include "base/coding.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Coding, LittleEndianWholeNumbers) {
  std::string out;
  put_byte(out, 0xAB);
  put_int16(out, 5121);
  put_int16(out, -2);
  put_int32(out, 135250);
  put_int32(out, -1);
  EXPECT_EQ(out, std::string("\xAB\x01\x14\xFE\xFF\x52\x10\x02\x00\xFF\xFF\xFF\xFF", 13));
  const auto* p = reinterpret_cast<const unsigned char*>(out.data());
  EXPECT_EQ(decode_fixed16(p + 1), 5121);
  EXPECT_EQ(decode_fixed32(p + 5), 135250u);
}

TEST(Coding, DoublesAreIeeeLittleEndian) {
  std::string out;
  put_double(out, 1.0);
  EXPECT_EQ(out, std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(decode_double(reinterpret_cast<const unsigned char*>(out.data())), 1.0);
}

}  // namespace
}  // namespace scenario
