// Loading Xlib and Xft at run time: what the window gets when a library is
// missing or is not the one it should be.
#include <gtest/gtest.h>

// Xlib after gtest: its macros (None, Bool, Status) clash with gtest's names.
#include "app/x11_library.h"

namespace scenario {
namespace {

constexpr const char* missing = "libvo_no_such_library.so.1";

TEST(x11_library, SystemLibrariesLoadWithEveryFunction) {
  const x11_library* lib = system_x11_library();
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(lib, system_x11_library()) << "loaded once";
#define VO_EXPECT_LOADED(symbol, member) EXPECT_NE(lib->xlib.member, nullptr) << #symbol;
  VO_XLIB_FUNCTIONS(VO_EXPECT_LOADED)
#undef VO_EXPECT_LOADED
#if VO_HAVE_XFT
  ASSERT_TRUE(lib->has_xft);
#define VO_EXPECT_LOADED(symbol, member) EXPECT_NE(lib->xft.member, nullptr) << #symbol;
  VO_XFT_FUNCTIONS(VO_EXPECT_LOADED)
#undef VO_EXPECT_LOADED
#endif
}

TEST(x11_library, NoXlibMeansNoWindow) {
  EXPECT_EQ(load_x11_library(missing, xft_soname), nullptr);
  // A library that loads but is not Xlib lacks its functions.
  EXPECT_EQ(load_x11_library("libc.so.6", xft_soname), nullptr);
}

TEST(x11_library, NoXftLeavesCoreFonts) {
  for (const char* xft_name : {missing, xlib_soname}) {
    const auto lib = load_x11_library(xlib_soname, xft_name);
    ASSERT_NE(lib, nullptr) << xft_name;
    EXPECT_NE(lib->xlib.open_display, nullptr);
    EXPECT_FALSE(lib->has_xft) << xft_name;
  }
}

}  // namespace
}  // namespace scenario
