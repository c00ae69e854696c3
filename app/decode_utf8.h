// Text for the window system: UTF-8 to code points, where every byte that
// does not start a well-formed sequence (overlong, surrogate, beyond
// U+10FFFF, cut short) becomes U+FFFD, so a file name in any encoding can
// be shown.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

std::u32string decode_utf8(std::string_view s);

}  // namespace scenario
