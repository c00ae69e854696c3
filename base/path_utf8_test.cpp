#include "base/path_utf8.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Utf16ToUtf8, EncodesEveryLengthAndPairs) {
  EXPECT_EQ(utf16_to_utf8(L"C:\\Treni\\x.txt"), "C:\\Treni\\x.txt");
  EXPECT_EQ(utf16_to_utf8(std::wstring{0x00E8}), "\xC3\xA8");                  // è
  EXPECT_EQ(utf16_to_utf8(std::wstring{0x20AC}), "\xE2\x82\xAC");              // euro sign
  EXPECT_EQ(utf16_to_utf8(std::wstring{0xD83D, 0xDE86}), "\xF0\x9F\x9A\x86");  // U+1F686
  EXPECT_EQ(utf16_to_utf8(std::wstring{0x0000, 0x0041}), std::string("\0A", 2));
}

TEST(Utf16ToUtf8, LoneSurrogatesBecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(utf16_to_utf8(std::wstring{0xD800}), fffd);                // high at the end
  EXPECT_EQ(utf16_to_utf8(std::wstring{0xD800, 0x0041}), fffd + "A");  // high, no partner
  EXPECT_EQ(utf16_to_utf8(std::wstring{0xDC00, 0x0041}), fffd + "A");  // low alone
  EXPECT_EQ(utf16_to_utf8(std::wstring{0xD800, 0xD800, 0xDC00}), fffd + "\xF0\x90\x80\x80");
}

TEST(PathUtf8, KeepsTheNameAsTheSystemHoldsIt) {
  EXPECT_EQ(path_utf8(std::filesystem::path("/opt/sim/Viterbo_Attigliano_Orte_linea.txt")),
            "/opt/sim/Viterbo_Attigliano_Orte_linea.txt");
  EXPECT_EQ(path_utf8(std::filesystem::path()), "");
}

}  // namespace
}  // namespace scenario
