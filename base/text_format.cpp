#include "base/text_format.h"

#include <cstdio>

namespace scenario {

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string fixed_decimals(double v, int decimals) {
  char buffer[352];  // the longest double with 17 decimals, and a sign
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

std::string short_decimals(double v, int most_decimals) {
  std::string s = fixed_decimals(v, most_decimals);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

}  // namespace scenario
