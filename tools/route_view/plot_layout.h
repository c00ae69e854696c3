// Where the parts of the route plot go on the page, in pixels (y downward),
// and the one scale of the profile's x.
#pragma once

#include <algorithm>

namespace scenario::plot_layout {

inline constexpr double page_w = 1600;
inline constexpr double page_h = 1690;
inline constexpr double margin = 40;
inline constexpr double legend_y = 94;  // the plan's legend, under the heading
inline constexpr double plan_top = 110, plan_bottom = 940;
inline constexpr double names_top = 966;  // station names above the speed strip
inline constexpr double texts_y = 1010;   // indication boards
inline constexpr double boards_y = 1030;  // speed boards
inline constexpr double speed_top = 1050, speed_bottom = 1170;
inline constexpr double grade_top = 1190, grade_bottom = 1300;
inline constexpr double axis_y = 1300;                        // km from the origin
inline constexpr double chainage_axis_y = 1345;               // kilometric progressive
inline constexpr double time_top = 1410, time_bottom = 1600;  // the run's time against distance
inline constexpr double legend_bottom_y = 1645;
inline constexpr double profile_left = 110, profile_right = page_w - margin;

// The profile's x axis: metres along the line to pixels over the stretch
// [from, to] shown, held within it. Every strip of the profile and the
// time panel place their x here.
struct profile_axis {
  double from = 0, to = 1;
  double x(double m) const {
    return profile_left +
           (std::clamp(m, from, to) - from) / (to - from) * (profile_right - profile_left);
  }
  bool shows(double a, double b) const { return b >= from && a <= to; }
};

}  // namespace scenario::plot_layout
