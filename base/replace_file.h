// Putting a finished temporary file in place of the file it replaces.
#pragma once

#include <filesystem>
#include <system_error>

namespace scenario {

// Renames `from` over `to`, replacing `to` atomically if it exists: a reader
// sees either the old file or the new one, never a mix. On failure `ec`
// holds the system's reason and both files are as they were; on success it
// is cleared. One implementation per platform.
void replace_file(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::error_code& ec);

}  // namespace scenario
