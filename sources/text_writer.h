// Writing a table of text lines as the scenario's text files want them:
// one byte per character in Windows-1252, CR LF after every line including
// the last, nothing else.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace scenario {

// The lines (UTF-8 in the source) as the bytes of the file.
std::string testo_file(std::span<const std::string_view> righe);

// Replaces `file` with those bytes.
void scrivi_testo(file_system& fs, const std::filesystem::path& file,
                  std::span<const std::string_view> righe);

}  // namespace scenario
