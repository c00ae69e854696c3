// The fastest run in the route plot: its speed over the limit in the speed
// strip, and its time of day against distance in a panel of its own beside
// the timetable's points, with each section's margin.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/route_view/drawing_model.h"
#include "tools/route_view/plot_layout.h"
#include "tools/route_view/svg_document.h"

namespace scenario {

// The run's points within the stretch shown as pixels, one at least every
// half pixel of x (and the first and last): `y` gives each point's y.
std::vector<point> run_polyline(const drawn_run& r, const plot_layout::profile_axis& ax,
                                double (*value)(const run_point&),
                                const std::function<double(double)>& y);

// The speed curve over the speed strip (vy: km/h to y).
void draw_run_speed(svg& out, const drawn_run& r, const plot_layout::profile_axis& ax,
                    const std::function<double(double)>& vy);

// The time panel: the run's time against distance, the timetable's points,
// each section's margin; the reason instead when no run could be drawn.
void draw_run_times(svg& out, const route_drawing& d, const plot_layout::profile_axis& ax);

}  // namespace scenario
