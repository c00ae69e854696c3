// Windows-1252, the single-byte code page of every text file and every name
// in the route files. Texts are held in the code as UTF-8 and converted here.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// The byte written for a character that Windows-1252 cannot hold.
inline constexpr char cp1252_substitute = '?';

// UTF-8 to Windows-1252, one byte per character. A character outside the
// code page, or a malformed UTF-8 sequence, becomes cp1252_substitute.
std::string utf8_to_cp1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same
// number, as Windows itself does.
std::string cp1252_to_utf8(std::string_view bytes);

// Lower case in Windows-1252: A-Z and the accented capitals.
unsigned char cp1252_lower(unsigned char c);
std::string cp1252_lower(std::string_view text);

// Substring tests as the readers make them: exact, or ignoring letter case.
bool contains(std::string_view haystack, std::string_view needle);
bool contains_any_case(std::string_view haystack, std::string_view needle);

}  // namespace scenario
