// Small text forms shared by the tools: plurals, blanks around a text and
// figures with decimals (the JSON the tools write is built with
// nlohmann-json).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario {

// "1 signal", "16 signals".
std::string plural(std::size_t n, std::string_view one, std::string_view many);

// Space and tab: the blanks around fields and cells.
inline bool blank(char c) {
  return c == ' ' || c == '\t';
}

// `s` without the blanks around it.
inline std::string_view without_blanks(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A figure with `decimals` decimals, "12.50"; "nan" and "inf" as the C
// library writes them.
std::string fixed_decimals(double v, int decimals);

// The same without trailing zeros: "12.5", "35", "-0.25" (never "-0").
std::string short_decimals(double v, int most_decimals);

}  // namespace scenario
