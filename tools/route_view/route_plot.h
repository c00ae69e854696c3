// The wall chart of a route as SVG: the track plan with stations, signals,
// boards, slowdowns and tunnels, and under it the speed limit and gradient
// profiles on a kilometre axis and the kilometric progressive, drawn from
// the drawing model the viewer shares.
#pragma once

#include <string>

#include "tools/route_files/compiled_route.h"
#include "tools/route_view/drawing_model.h"

namespace scenario {

// One self-contained SVG document (no external fonts, images or scripts)
// showing the stretch `range`. Every station in it has one element of class
// "station-marker", every signal one of class "signal-marker", every speed
// board one of class "speed-board-marker".
std::string draw_route_svg(const route_drawing& d, const view_range& range);

// The whole line of a compiled route.
std::string draw_route_svg(const compiled_route& r, const std::string& route,
                           const std::string& train);

}  // namespace scenario
