// The profile of the route plot: speed limit with the slowdowns, coded
// signal zone, gradient, tunnels, stations, indication and speed boards and
// signals over a kilometre axis from the origin and one of the kilometric
// progressive, with its legend.
#pragma once

#include "tools/route_view/drawing_model.h"
#include "tools/route_view/svg_document.h"

namespace scenario {

// Over the stretch `range` of the line.
void draw_profile(svg& out, const route_drawing& d, const view_range& range);

}  // namespace scenario
