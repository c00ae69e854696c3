// The profile of the route plot: speed limit with the slowdowns, coded
// signal zone, gradient, tunnels, stations and signals along a kilometre
// axis, with its legend.
#pragma once

#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/plot_objects.h"
#include "tools/route_tool/svg_document.h"

namespace scenario {

void draw_profile(svg& out, const compiled_route& r, const plot_objects& objects);

}  // namespace scenario
