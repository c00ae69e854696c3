// Splitting a written text file back into its lines, for the tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// The lines of `bytes` without their ends, or nothing when the bytes are not
// a sequence of lines each ended by CR LF (a CR or LF on its own, or a last
// line without its end).
std::optional<std::vector<std::string>> crlf_lines(std::string_view bytes);

}  // namespace scenario
