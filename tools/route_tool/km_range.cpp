#include "tools/route_tool/km_range.h"

#include <algorithm>
#include <cmath>
#include <regex>

#include "base/text_format.h"
#include "tools/route_tool/command_line.h"

namespace scenario {

double metres_of_km(const std::string& text, const route_drawing& d) {
  static const std::regex plain(R"(\s*(-?\d+(?:\.\d+)?)\s*)");
  static const std::regex progressive(R"(\s*(?:[kK][mM]\.?\s*)?(\d+)\+(\d{1,3})\s*)");
  std::smatch m;
  if (std::regex_match(text, m, plain)) return std::stod(m[1].str()) * 1000.0;
  if (std::regex_match(text, m, progressive)) {
    const std::int64_t chainage = std::stoll(m[1].str()) * 1000 + std::stoll(m[2].str());
    if (const auto at = position_of_chainage(d, chainage)) return *at;
    throw usage_error("no kilometric series of the line reaches km " + m[1].str() + "+" +
                      m[2].str());
  }
  throw usage_error("'" + text +
                    "' is not a kilometre figure: write km from the origin (20 or 20.5) or a "
                    "kilometric progressive (36+000)");
}

view_range range_of(const std::optional<std::string>& from, const std::optional<std::string>& to,
                    const route_drawing& d) {
  const double length = std::max(static_cast<double>(d.line_length_m), 50.0);
  view_range v{0, length};
  // A figure off the line is a mistake (km for a progressive, a typing
  // slip), not a wish for blank paper.
  const auto on_line = [&](const char* option, const std::string& text) {
    const double m = metres_of_km(text, d);
    if (m < 0 || m > length) {
      throw usage_error(std::string(option) + " " + text +
                        " lies outside the line, which runs from km 0 to km " +
                        short_decimals(length / 1000.0, 3) + " from its origin");
    }
    return m;
  };
  if (from) v.from_m = on_line("--from", *from);
  if (to) v.to_m = on_line("--to", *to);
  // A progressive counting down gives its range in the other order.
  if (from && to && v.to_m < v.from_m) std::swap(v.from_m, v.to_m);
  if (v.to_m <= v.from_m) {
    throw usage_error("--from and --to give no stretch of the line");
  }
  return v;
}

}  // namespace scenario
