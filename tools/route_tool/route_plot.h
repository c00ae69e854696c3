// The wall chart of a compiled route as SVG: the track plan with stations,
// signals, slowdowns and tunnels, and under it the speed limit and gradient
// profiles on a kilometre axis.
#pragma once

#include <string>

#include "tools/route_files/compiled_route.h"

namespace scenario {

// One self-contained SVG document (no external fonts, images or scripts).
// Every station has one element of class "station-marker" and every signal
// one of class "signal-marker".
std::string draw_route_svg(const compiled_route& r, const std::string& route,
                           const std::string& train);

}  // namespace scenario
