// Positions and times in words, as the tools and the checker print them:
// metres along the line, the same as a kilometre figure, times of day.
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

// "km 22+700" for 22700 m; "km -0+050" for -50 m.
std::string km(std::int64_t metri);

// "22700 m (km 22+700)".
std::string metri_e_km(std::int64_t metri);

// "13:49:00" for 49740 s after midnight; a negative or out-of-day value keeps
// its sign and counts hours past 24.
std::string hh_mm_ss(std::int64_t secondi);

}  // namespace scenario
