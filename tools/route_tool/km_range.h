// The stretch of line a picture opens on, from --from and --to: a number is
// kilometres from the line's origin ("20", "20.5"), and "N+MMM" (or
// "km N+MMM") a kilometric progressive of the line's series.
#pragma once

#include <optional>
#include <string>

#include "tools/route_view/drawing_model.h"

namespace scenario {

// Metres from the origin. Throws usage_error for text that is neither form,
// or a progressive that no series of the line reaches.
double metres_of_km(const std::string& text, const route_drawing& d);

// The range from the options, in the line's order whichever is given first
// (progressives count down); the line's start or end where one is missing.
// Throws usage_error for a figure off the line or an empty range.
view_range range_of(const std::optional<std::string>& from, const std::optional<std::string>& to,
                    const route_drawing& d);

}  // namespace scenario
