// SHA-256 of a byte string, as 64 lower-case hex digits. Used by the tests to
// pin the route files' contents.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

std::string sha256_hex(std::string_view bytes);

}  // namespace scenario
