// The viewer's page: one HTML file holding its styles, its script and the
// drawing model as JSON, so that it opens from disk with no other file and
// no network request.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "tools/route_view/drawing_model.h"

namespace scenario {

std::string view_page_html(const route_drawing& d, const view_range& v);

// JSON text safe inside a <script> element: every '<' written as \u003c
// (it can stand only inside strings), bytes that are not UTF-8 replaced.
std::string script_safe_json(const nlohmann::json& j);

}  // namespace scenario
