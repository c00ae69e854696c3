// The JSON that route_tool's commands print with --json.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>

namespace scenario {

// One JSON value on one line without spaces, as every --json prints it;
// bytes that are not UTF-8 (a file name in another encoding) become U+FFFD.
std::string json_line(const nlohmann::json& j);
std::string json_line(const nlohmann::ordered_json& j);

}  // namespace scenario
