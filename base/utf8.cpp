#include "base/utf8.h"

namespace scenario {

carattere_utf8 decodifica_utf8(std::string_view s) {
  if (s.empty()) return {};
  const auto b0 = static_cast<unsigned char>(s[0]);
  std::size_t len = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    return {b0, 1};
  } else if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  }
  if (len == 0 || len > s.size()) return {};
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[k]);
    if ((b & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
  return {cp, len};
}

std::size_t sequenza_utf8(std::string_view s) {
  const carattere_utf8 c = decodifica_utf8(s);
  return c.byte >= 2 ? c.byte : 0;
}

std::u32string decode_utf8(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const carattere_utf8 c = decodifica_utf8(s.substr(i));
    if (c.byte == 0) {
      out.push_back(U'\uFFFD');
      ++i;
    } else {
      out.push_back(c.codice);
      i += c.byte;
    }
  }
  return out;
}

std::string utf8_sanitised(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const carattere_utf8 c = decodifica_utf8(text.substr(i));
    if (c.byte == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out += text.substr(i, c.byte);
      i += c.byte;
    }
  }
  return out;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace scenario
