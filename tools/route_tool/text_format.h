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

// A JSON string literal, quotes included; `utf8` must be UTF-8 text.
std::string json_string(std::string_view utf8);

}  // namespace scenario
