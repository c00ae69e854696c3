// Small text forms shared by the commands: positions in metres and as a
// kilometre figure, times of day, and JSON values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

// "km 22+700" for 22700 m; "km -0+050" for -50 m.
std::string km(std::int64_t metri);

// "22700 m (km 22+700)".
std::string metri_e_km(std::int64_t metri);

// "13:49:00" for 49740 s after midnight; a negative or out-of-day value keeps
// its sign and counts hours past 24.
std::string hh_mm_ss(std::int64_t secondi);

// "1 signal", "16 signals".
std::string plural(std::size_t n, std::string_view one, std::string_view many);

// The text with every byte that is not part of well-formed UTF-8 replaced
// by U+FFFD, so that names typed in another code page still make valid
// JSON and XML.
std::string utf8_sanitised(std::string_view text);

// A JSON string literal, quotes included; bytes that are not UTF-8 become
// U+FFFD.
std::string json_string(std::string_view utf8);

// A JSON number with `decimals` decimals; null when not finite.
std::string json_number(double v, int decimals);

}  // namespace scenario
