// Where the parts of the route plot go on the page, in pixels (y downward).
#pragma once

namespace scenario::plot_layout {

inline constexpr double page_w = 1600;
inline constexpr double page_h = 1470;
inline constexpr double margin = 40;
inline constexpr double legend_y = 94;  // the plan's legend, under the heading
inline constexpr double plan_top = 110, plan_bottom = 940;
inline constexpr double names_top = 966;  // station names above the speed strip
inline constexpr double texts_y = 1010;   // indication boards
inline constexpr double boards_y = 1030;  // speed boards
inline constexpr double speed_top = 1050, speed_bottom = 1170;
inline constexpr double grade_top = 1190, grade_bottom = 1300;
inline constexpr double axis_y = 1300;           // km from the origin
inline constexpr double chainage_axis_y = 1345;  // kilometric progressive
inline constexpr double legend_bottom_y = 1405;
inline constexpr double profile_left = 110, profile_right = page_w - margin;

}  // namespace scenario::plot_layout
