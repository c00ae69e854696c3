#include "tools/lsp/json_rpc.h"

namespace scenario::lsp {

incoming_message read_message(std::string_view body, bool& parsed) {
  incoming_message m;
  json j = json::parse(body, nullptr, false);
  parsed = !j.is_discarded();
  if (!parsed) {
    m.fault = "the message is not JSON";
    return m;
  }
  if (!j.is_object()) {
    m.fault = "a message is a JSON object";
    return m;
  }
  const auto id = j.find("id");
  const bool has_id = id != j.end();
  if (has_id && (id->is_string() || id->is_number_integer())) m.id = *id;
  if (has_id && !(id->is_string() || id->is_number_integer() || id->is_null())) {
    m.fault = "\"id\" is a number or a string";
    return m;
  }
  const auto version = j.find("jsonrpc");
  if (version == j.end() || *version != "2.0") {
    m.fault = "\"jsonrpc\" must be \"2.0\"";
    return m;
  }
  const auto method = j.find("method");
  if (method == j.end()) {
    if (has_id && (j.contains("result") || j.contains("error"))) {
      m.kind = message_kind::response;
      return m;
    }
    m.fault = "the message has no \"method\"";
    return m;
  }
  if (!method->is_string()) {
    m.fault = "\"method\" is a string";
    return m;
  }
  m.method = method->get<std::string>();
  // Null params, as some clients send with "shutdown" and "exit", are none.
  if (const auto params = j.find("params"); params != j.end() && !params->is_null()) {
    if (!params->is_object() && !params->is_array()) {
      m.fault = "\"params\" is an object or an array";
      return m;
    }
    m.params = std::move(*params);
  }
  m.kind = has_id ? message_kind::request : message_kind::notification;
  return m;
}

json response(const json& id, json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

json error_response(const json& id, int code, std::string message) {
  return {
      {"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", std::move(message)}}}};
}

json notification(std::string method, json params) {
  return {{"jsonrpc", "2.0"}, {"method", std::move(method)}, {"params", std::move(params)}};
}

}  // namespace scenario::lsp
