#include "base/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/utf8.h"

namespace scenario {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> high_block = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byte_of(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < high_block.size(); ++i) {
    if (high_block[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

std::string utf8_to_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const carattere_utf8 c = decodifica_utf8(utf8.substr(i));
    if (c.byte == 0) {
      out.push_back(cp1252_substitute);
      ++i;
      continue;
    }
    const int b = byte_of(c.codice);
    out.push_back(b < 0 ? cp1252_substitute : static_cast<char>(b));
    i += c.byte;
  }
  return out;
}

std::string cp1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    append_utf8(out, (b >= 0x80 && b < 0xA0) ? high_block[b - 0x80] : char32_t{b});
  }
  return out;
}

namespace {

constexpr unsigned char minuscola(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<unsigned char>(c + 0x10);
    case 0x9F:  // Ÿ
      return 0xFF;
    default:
      return c;
  }
}

// Every byte's lower case, looked up: the readers test each keyword field
// against every keyword.
constexpr std::array<unsigned char, 256> minuscole = [] {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c)
    t[static_cast<std::size_t>(c)] = minuscola(static_cast<unsigned char>(c));
  return t;
}();

}  // namespace

unsigned char cp1252_lower(unsigned char c) {
  return minuscole[c];
}

std::string cp1252_lower(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(cp1252_lower(static_cast<unsigned char>(ch)));
  return out;
}

bool contains(std::string_view haystack, std::string_view needle) {
  return haystack.find(needle) != std::string_view::npos;
}

bool contains_any_case(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return false;
  const auto m = [](char c) { return minuscole[static_cast<unsigned char>(c)]; };
  for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
    std::size_t j = 0;
    while (j < needle.size() && m(haystack[i + j]) == m(needle[j])) ++j;
    if (j == needle.size()) return true;
  }
  return false;
}

}  // namespace scenario
