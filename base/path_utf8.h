// A file's name as UTF-8 text, for messages to the user. On Windows
// path::string() converts through a code page (the ANSI one with MSVC) and
// throws for a name it cannot convert; this never fails on any name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scenario {

// The name as UTF-8: on Windows converted from UTF-16, elsewhere the bytes
// as the system holds them.
std::string path_utf8(const std::filesystem::path& file);

// UTF-16 code units (one per wchar_t) to UTF-8. A surrogate without its
// partner, or a unit above 0xFFFF, becomes U+FFFD.
std::string utf16_to_utf8(std::wstring_view units);

}  // namespace scenario
