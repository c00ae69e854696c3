// The track plan of the route plot: the line drawn from the line data file
// with north up and equal scales, stations, signals, slowdowns and tunnels
// marked, labels beside it with leader lines, scale bar, north arrow, the
// scenario data box, and the plan's legend in the page heading.
#pragma once

#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/plot_objects.h"
#include "tools/route_tool/svg_document.h"

namespace scenario {

void draw_plan(svg& out, const compiled_route& r, const plot_objects& objects);
void draw_plan_legend(svg& out);

}  // namespace scenario
