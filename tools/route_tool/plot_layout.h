// Where the parts of the route plot go on the page, in pixels (y downward).
#pragma once

namespace scenario::plot_layout {

inline constexpr double page_w = 1600;
inline constexpr double page_h = 1390;
inline constexpr double margin = 40;
inline constexpr double plan_top = 96, plan_bottom = 940;
inline constexpr double names_top = 966;  // station names above the speed strip
inline constexpr double speed_top = 1030, speed_bottom = 1160;
inline constexpr double grade_top = 1180, grade_bottom = 1290;
inline constexpr double axis_y = 1290;
inline constexpr double profile_left = 110, profile_right = page_w - margin;

}  // namespace scenario::plot_layout
