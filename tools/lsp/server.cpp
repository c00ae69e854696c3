#include "tools/lsp/server.h"

#include <vector>

#include "base/path_utf8.h"
#include "tools/lsp/code_actions.h"
#include "tools/lsp/completion.h"
#include "tools/lsp/formatting.h"
#include "tools/lsp/hover.h"
#include "tools/lsp/protocol_types.h"
#include "tools/lsp/symbols.h"

namespace scenario::lsp {

namespace {

constexpr int sync_incremental = 2;
constexpr int message_info = 3;
constexpr int message_log = 4;

const json* find_path(const json& j, std::initializer_list<const char*> keys) {
  const json* at = &j;
  for (const char* k : keys) {
    if (!at->is_object()) return nullptr;
    const auto it = at->find(k);
    if (it == at->end()) return nullptr;
    at = &*it;
  }
  return at;
}

// The encoding the client prefers among those the server knows.
position_encoding negotiate(const json& params) {
  const json* offered = find_path(params, {"capabilities", "general", "positionEncodings"});
  if (offered == nullptr || !offered->is_array()) return position_encoding::utf16;
  for (const json& e : *offered) {
    if (e == "utf-16") return position_encoding::utf16;
    if (e == "utf-8") return position_encoding::utf8;
    if (e == "utf-32") return position_encoding::utf32;
  }
  return position_encoding::utf16;
}

std::int64_t version_of(const json& document) {
  const auto v = document.find("version");
  return v != document.end() && v->is_number_integer() ? v->get<std::int64_t>() : 0;
}

std::string string_member(const json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end() || !it->is_string()) {
    throw params_error(std::string("\"") + key + "\" must be a string");
  }
  return it->get<std::string>();
}

std::string file_label(const pair_member& m) {
  return m.path ? path_utf8(m.path->filename()) : m.uri;
}

}  // namespace

language_server::language_server(folder_access& disk, pairing_defaults defaults, sender send)
    : disk_(disk), defaults_(std::move(defaults)), send_(std::move(send)) {}

void language_server::handle(std::string_view body) {
  bool parsed = false;
  const incoming_message m = read_message(body, parsed);
  if (!parsed) {
    send_(error_response(nullptr, error_code::parse_error, m.fault));
    return;
  }
  switch (m.kind) {
    case message_kind::request:
      handle_request(m);
      break;
    case message_kind::notification:
      handle_notification(m);
      break;
    case message_kind::response:
      break;  // the server asks the client nothing that needs an answer
    case message_kind::invalid:
      send_(error_response(m.id, error_code::invalid_request, m.fault));
      break;
  }
}

void language_server::dropped(frame_fault fault) {
  switch (fault) {
    case frame_fault::bad_header:
      log("dropped a header without a usable Content-Length");
      break;
    case frame_fault::stray_bytes:
      log("dropped bytes that stood before a header");
      break;
    case frame_fault::body_too_large:
      log("skipped a message larger than " + std::to_string(largest_body) + " bytes");
      break;
    case frame_fault::none:
      break;
  }
}

void language_server::handle_request(const incoming_message& m) {
  if (state_ == state::waiting && m.method != "initialize") {
    send_(error_response(m.id, error_code::server_not_initialized,
                         "the server has not been initialized"));
    return;
  }
  if (state_ == state::running && m.method == "initialize") {
    send_(error_response(m.id, error_code::invalid_request, "the server is initialized already"));
    return;
  }
  if (state_ == state::shutting_down || state_ == state::exited) {
    send_(error_response(m.id, error_code::invalid_request, "the server is shutting down"));
    return;
  }
  try {
    std::optional<json> result = request_result(m.method, m.params);
    if (result) {
      send_(response(m.id, std::move(*result)));
    } else {
      send_(error_response(m.id, error_code::method_not_found, "unknown method " + m.method));
    }
  } catch (const params_error& e) {
    send_(error_response(m.id, error_code::invalid_params, e.what()));
  } catch (const json::exception& e) {
    send_(error_response(m.id, error_code::invalid_params, e.what()));
  } catch (const std::exception& e) {
    send_(error_response(m.id, error_code::internal_error, e.what()));
  }
}

std::optional<json> language_server::request_result(const std::string& method, const json& params) {
  if (method == "initialize") return initialize(params);
  if (method == "shutdown") {
    state_ = state::shutting_down;
    shutdown_received_ = true;
    return json(nullptr);
  }
  if (method == "textDocument/hover") {
    const auto [c, f] = check_of(params);
    if (c == nullptr) return json(nullptr);
    return hover(*c, f, request_position(params), encoding_);
  }
  if (method == "textDocument/completion") {
    const auto [c, f] = check_of(params);
    if (c == nullptr) return json::array();
    return complete({f, c->member(f).utf8, request_position(params), encoding_, snippets_});
  }
  if (method == "textDocument/codeAction") {
    const auto [c, f] = check_of(params);
    if (c == nullptr) return json::array();
    return code_actions(*c, f, range_from_json(params.at("range")), encoding_);
  }
  if (method == "textDocument/formatting") {
    const auto [c, f] = check_of(params);
    if (c == nullptr) return json::array();
    return format_document(*c, f, encoding_);
  }
  if (method == "textDocument/documentSymbol") {
    const auto [c, f] = check_of(params);
    if (c == nullptr) return json::array();
    return document_symbols(*c, f, encoding_);
  }
  return std::nullopt;
}

void language_server::handle_notification(const incoming_message& m) {
  if (m.method == "exit") {
    state_ = state::exited;
    return;
  }
  // Before initialize and after shutdown, notifications are dropped.
  if (state_ != state::running) return;
  try {
    if (m.method == "textDocument/didOpen") {
      did_open(m.params);
    } else if (m.method == "textDocument/didChange") {
      did_change(m.params);
    } else if (m.method == "textDocument/didClose") {
      did_close(m.params);
    } else if (m.method == "textDocument/didSave") {
      refresh(document_uri(m.params));
    } else if (m.method == "workspace/didChangeWatchedFiles") {
      refresh_all();
    }
    // Others ("initialized", "$/cancelRequest", ...) need nothing.
  } catch (const std::exception& e) {
    log("ignored " + m.method + ": " + e.what());
  }
}

json language_server::initialize(const json& params) {
  encoding_ = negotiate(params);
  const json* snippets = find_path(
      params, {"capabilities", "textDocument", "completion", "completionItem", "snippetSupport"});
  snippets_ = snippets != nullptr && snippets->is_boolean() && snippets->get<bool>();
  state_ = state::running;
  return {
      {"capabilities",
       {{"positionEncoding", encoding_name(encoding_)},
        {"textDocumentSync",
         {{"openClose", true}, {"change", sync_incremental}, {"save", {{"includeText", false}}}}},
        {"hoverProvider", true},
        {"completionProvider", {{"triggerCharacters", json::array()}}},
        {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
        {"documentFormattingProvider", true},
        {"documentSymbolProvider", true}}},
      {"serverInfo", {{"name", "route_tool lsp"}}}};
}

void language_server::did_open(const json& params) {
  const json& d = params.at("textDocument");
  const std::string uri = string_member(d, "uri");
  documents_.open(uri, string_member(d, "text"), version_of(d));
  refresh(uri);
}

void language_server::did_change(const json& params) {
  const std::string uri = document_uri(params);
  std::vector<text_change> changes;
  for (const json& c : params.at("contentChanges")) {
    text_change t;
    t.text = string_member(c, "text");
    if (const auto r = c.find("range"); r != c.end()) t.range = range_from_json(*r);
    changes.push_back(std::move(t));
  }
  if (!documents_.change(uri, changes, version_of(params.at("textDocument")), encoding_)) {
    throw params_error("the document is not open");
  }
  refresh(uri);
}

void language_server::did_close(const json& params) {
  const std::string uri = document_uri(params);
  documents_.close(uri);
  checks_.erase(uri);
  // An open partner is checked again, with this file as it is on disk.
  bool partner_open = false;
  for (const document* d : documents_.all()) {
    const auto it = checks_.find(d->uri);
    if (it != checks_.end() && it->second->file_of(uri)) {
      partner_open = true;
      refresh(d->uri);
    }
  }
  if (!partner_open) publish_empty(uri);
}

void language_server::refresh(const std::string& uri) {
  const document* d = documents_.find(uri);
  if (d == nullptr) return;
  if (d->text.size() > largest_document) {
    checks_.erase(uri);
    publish_empty(uri);
    if (told_too_large_.insert(uri).second) {
      send_(notification(
          "window/showMessage",
          {{"type", message_info},
           {"message", "route_tool: " + uri + " is larger than " +
                           std::to_string(largest_document) + " bytes and is not checked"}}));
    }
    return;
  }
  const std::shared_ptr<pair_check> c = check_pair(find_pair(*d, documents_, disk_, defaults_));
  if (!c->pair.line.present() && !c->pair.service.present()) {
    // A driver's document without its service file: nothing to compare.
    checks_.erase(uri);
    publish_empty(uri);
    if (told_alone_.insert(uri).second) {
      send_(notification("window/showMessage",
                         {{"type", message_info},
                          {"message", "route_tool: no service file found for " + uri +
                                          " (NAME_NUMBER-.txt beside it), so it is not checked"}}));
    }
    return;
  }
  for (const file_sorgente f : pair_files) {
    const pair_member& m = c->member(f);
    if (!m.present()) continue;
    checks_[m.uri] = c;
    publish(*c, f);
  }
  if (!c->train_model_fault.empty() && told_train_model_.insert(c->train_model_fault).second) {
    log("the train model beside the service file is refused, the defaults are used: " +
        c->train_model_fault);
  }
  if (!c->pair.paired() && told_alone_.insert(uri).second) {
    const bool line = c->pair.line.present();
    const pair_member& self = line ? c->pair.line : c->pair.service;
    send_(notification(
        "window/showMessage",
        {{"type", message_info},
         {"message", "route_tool: no " +
                         std::string(line ? "service file" : "line description file") +
                         " found for " + file_label(self) +
                         ", so it is checked alone: faults that need the other file "
                         "(positions past the end of the line, cells the other file takes) are "
                         "not found"}}));
  }
}

void language_server::refresh_all() {
  std::vector<std::string> uris;
  for (const document* d : documents_.all()) uris.push_back(d->uri);
  for (const std::string& uri : uris) refresh(uri);
}

void language_server::publish(const pair_check& c, file_sorgente f) {
  json list = json::array();
  for (const diagnostica& d : c.result.diagnostiche) {
    if (d.dove.file == f) list.push_back(diagnostic_to_json(d, c, encoding_));
  }
  json params = {{"uri", c.member(f).uri}, {"diagnostics", std::move(list)}};
  if (const document* d = documents_.find(c.member(f).uri)) params["version"] = d->version;
  send_(notification("textDocument/publishDiagnostics", std::move(params)));
}

void language_server::publish_empty(const std::string& uri) {
  send_(notification("textDocument/publishDiagnostics",
                     {{"uri", uri}, {"diagnostics", json::array()}}));
}

void language_server::log(std::string text) {
  send_(notification("window/logMessage",
                     {{"type", message_log}, {"message", "route_tool: " + std::move(text)}}));
}

std::pair<const pair_check*, file_sorgente> language_server::check_of(const json& params) const {
  const std::string uri = document_uri(params);
  const auto it = checks_.find(uri);
  if (it == checks_.end()) return {nullptr, file_sorgente::linea};
  const file_sorgente f = it->second->file_of(uri).value_or(file_sorgente::linea);
  // The driver's documents get diagnostics only: no feature reads them.
  if (f != file_sorgente::linea && f != file_sorgente::servizio) return {nullptr, f};
  return {it->second.get(), f};
}

}  // namespace scenario::lsp
