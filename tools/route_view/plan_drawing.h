// The track plan of the route plot: the line drawn from the line data file
// with north up and equal scales, stations, signals, slowdowns and tunnels
// marked, labels beside it with leader lines, scale bar, north arrow, the
// scenario data box, and the plan's legend in the page heading.
#pragma once

#include "tools/route_view/drawing_model.h"
#include "tools/route_view/svg_document.h"

namespace scenario {

// The stretch `range` fitted to the plan; the rest of the line drawn faint.
void draw_plan(svg& out, const route_drawing& d, const view_range& range);
void draw_plan_legend(svg& out);

}  // namespace scenario
