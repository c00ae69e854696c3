// Small text forms shared by the tools: plurals and JSON values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

// "1 signal", "16 signals".
std::string plural(std::size_t n, std::string_view one, std::string_view many);

// A JSON string literal, quotes included; bytes that are not UTF-8 become
// U+FFFD.
std::string json_string(std::string_view utf8);

// A JSON number with `decimals` decimals; null when not finite.
std::string json_number(double v, int decimals);

}  // namespace scenario
