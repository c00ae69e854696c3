// UTF-8, the encoding of every text the program holds in its code and of
// the tools' output. One decoder: a sequence is well-formed only when it is
// the shortest form of a code point up to U+10FFFF that is not a surrogate.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario {

struct carattere_utf8 {
  char32_t codice = 0;
  std::size_t byte = 0;  // 0: no well-formed sequence starts here
};

// The character at the start of `s`.
carattere_utf8 decodifica_utf8(std::string_view s);

// Bytes of the well-formed sequence of two or more bytes at the start of
// `s`; 0 for ASCII, a bad byte or an empty string.
std::size_t sequenza_utf8(std::string_view s);

// Code points, each byte that starts no well-formed sequence becoming
// U+FFFD, so a text in any encoding can be shown.
std::u32string decode_utf8(std::string_view s);

// The same text as UTF-8, bad bytes replaced by U+FFFD.
std::string utf8_sanitised(std::string_view text);

void append_utf8(std::string& out, char32_t cp);

}  // namespace scenario
