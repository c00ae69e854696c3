// JSON-RPC 2.0 as the protocol uses it: requests (with an id) expect one
// response, notifications none. A message that is not JSON or not a
// JSON-RPC message gets the matching error response.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace scenario::lsp {

using json = nlohmann::json;

// Error codes of JSON-RPC and of the protocol.
namespace error_code {
inline constexpr int parse_error = -32700;
inline constexpr int invalid_request = -32600;
inline constexpr int method_not_found = -32601;
inline constexpr int invalid_params = -32602;
inline constexpr int internal_error = -32603;
inline constexpr int server_not_initialized = -32002;
inline constexpr int request_failed = -32803;
}  // namespace error_code

enum class message_kind { request, notification, response, invalid };

struct incoming_message {
  message_kind kind = message_kind::invalid;
  json id;  // null unless a request (or an invalid message that had a usable id)
  std::string method;
  json params;
  std::string fault;  // what makes it invalid
};

// Parses and classifies one body. A body that is not JSON is invalid with
// the fault "parse error".
incoming_message read_message(std::string_view body, bool& parsed);

json response(const json& id, json result);
json error_response(const json& id, int code, std::string message);
json notification(std::string method, json params);

}  // namespace scenario::lsp
