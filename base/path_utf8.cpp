#include "base/path_utf8.h"

#include <type_traits>

#include "base/utf8.h"

namespace scenario {

namespace {

constexpr char32_t replacement = 0xFFFD;

bool is_high_surrogate(char32_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool is_low_surrogate(char32_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

std::string utf16_to_utf8(std::wstring_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto u = static_cast<char32_t>(units[i]);
    if (u > 0xFFFF || is_low_surrogate(u)) {
      append_utf8(out, replacement);
    } else if (is_high_surrogate(u)) {
      const char32_t next = i + 1 < units.size() ? static_cast<char32_t>(units[i + 1]) : 0;
      if (is_low_surrogate(next)) {
        append_utf8(out, 0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00));
        ++i;
      } else {
        append_utf8(out, replacement);
      }
    } else {
      append_utf8(out, u);
    }
  }
  return out;
}

namespace {

// Windows holds names in UTF-16; elsewhere they are bytes, taken as they are.
template <class Native>
std::string native_utf8(const Native& name) {
  if constexpr (std::is_same_v<typename Native::value_type, wchar_t>) {
    return utf16_to_utf8(name);
  } else {
    return std::string(name);
  }
}

}  // namespace

std::string path_utf8(const std::filesystem::path& file) {
  return native_utf8(file.native());
}

}  // namespace scenario
