#include "tools/lsp/protocol_types.h"

#include "base/cp1252.h"

namespace scenario::lsp {

namespace {

std::int64_t whole(const json& j, const char* key) {
  const auto it = j.find(key);
  if (it == j.end() || !it->is_number_integer()) {
    throw params_error(std::string("\"") + key + "\" must be a whole number");
  }
  const auto v = it->get<std::int64_t>();
  if (v < 0) throw params_error(std::string("\"") + key + "\" must not be negative");
  return v;
}

const json& member(const json& j, const char* key) {
  if (!j.is_object()) throw params_error("an object was expected");
  const auto it = j.find(key);
  if (it == j.end()) throw params_error(std::string("\"") + key + "\" is missing");
  return *it;
}

}  // namespace

text_position position_from_json(const json& j) {
  if (!j.is_object()) throw params_error("a position is an object");
  return {whole(j, "line"), whole(j, "character")};
}

text_range range_from_json(const json& j) {
  return {position_from_json(member(j, "start")), position_from_json(member(j, "end"))};
}

json to_json(const text_position& p) {
  return {{"line", p.line}, {"character", p.character}};
}

json to_json(const text_range& r) {
  return {{"start", to_json(r.start)}, {"end", to_json(r.end)}};
}

std::string document_uri(const json& params) {
  const json& uri = member(member(params, "textDocument"), "uri");
  if (!uri.is_string()) throw params_error("\"uri\" must be a string");
  return uri.get<std::string>();
}

text_position request_position(const json& params) {
  return position_from_json(member(params, "position"));
}

json diagnostic_to_json(const diagnostica& d, const pair_check& c, position_encoding e) {
  json related = json::array();
  for (const nota& n : d.correlate) {
    if (n.dove.file == file_sorgente::nessuno) continue;
    const pair_member& m = c.member(n.dove.file);
    if (!m.present()) continue;
    related.push_back({{"location", {{"uri", m.uri}, {"range", to_json(c.range_of(n.dove, e))}}},
                       {"message", n.messaggio}});
  }
  const std::optional<std::int32_t> code = d.codice();
  json j = {{"range", to_json(c.range_of(d.dove, e))},
            {"severity", d.severita() == gravita::errore ? 1 : 2},
            {"code", d.nome()},
            {"source", "route_tool"},
            {"message", d.messaggio},
            {"data", {{"code", code ? json(*code) : json(nullptr)}}}};
  if (!related.empty()) j["relatedInformation"] = std::move(related);
  return j;
}

json edit_to_json(const sostituzione& s, const pair_check& c, position_encoding e) {
  text_range r = c.range_of(s.dove, e);
  if (s.dove.lunghezza <= 0) r.start = r.end = c.point_of(s.dove, e);  // an insertion
  return {{"range", to_json(r)}, {"newText", cp1252_to_utf8(s.testo)}};
}

std::string encoding_name(position_encoding e) {
  switch (e) {
    case position_encoding::utf8:
      return "utf-8";
    case position_encoding::utf32:
      return "utf-32";
    default:
      return "utf-16";
  }
}

}  // namespace scenario::lsp
