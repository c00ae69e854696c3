// The drawing model as one JSON object for the viewer's script: objects,
// profile runs and records as compact arrays, and each plan level's points
// as whole centimetres, each the difference from the point before.
#pragma once

#include <nlohmann/json.hpp>

#include "tools/route_view/drawing_model.h"

namespace scenario {

nlohmann::json drawing_json(const route_drawing& d, const view_range& v);

}  // namespace scenario
