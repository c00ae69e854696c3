#include "tools/lsp/symbols.h"

#include "compiler/readers/lettore_campi.h"
#include "compiler/route_model/misure.h"
#include "tools/lsp/line_text.h"

namespace scenario::lsp {

namespace {

// SymbolKind values of the protocol.
constexpr int kind_namespace = 3;
constexpr int kind_object = 19;
constexpr int kind_event = 24;
constexpr int kind_operator = 25;

constexpr std::size_t station_name = 16;  // the value "nome" of a "stazione"

std::string_view value_text(const pair_check& c, const record_letto& r, std::size_t i) {
  if (i >= r.valori.size()) return {};
  const campo_testo& v = r.valori[i];
  return std::string_view(c.member(r.file).bytes).substr(v.inizio, v.fine - v.inizio);
}

std::int64_t number(const pair_check& c, const record_letto& r, std::size_t i) {
  return valore_numero(value_text(c, r, i)).value_or(0);
}

// The record's position (its first value) with the progressive there.
std::string position_text(const pair_check& c, const record_letto& r) {
  return metri_e_progressiva(number(c, r, 0), serie_in_uso(c.result.modello_letto.elementi));
}

luogo place_of(const record_letto& r, const campo_testo& field) {
  return {r.file, field.riga, field.colonna, static_cast<std::int32_t>(field.fine - field.inizio)};
}

// A station, a signal or a slowdown as a symbol; null for other records.
json record_symbol(const pair_check& c, const record_letto& r, position_encoding e) {
  std::string name, detail;
  int kind = 0;
  switch (r.tipo) {
    case tipo_record::stazione:
      if (r.valori.size() > station_name) {
        name = without_blanks(c.utf8_text(place_of(r, r.valori[station_name])));
      }
      if (name.empty()) name = "stazione";
      detail = position_text(c, r);
      kind = kind_object;
      break;
    case tipo_record::segnale:
      name = "segnale " + position_text(c, r);
      kind = kind_event;
      break;
    case tipo_record::rallentamento:
      name = "rallentamento " + position_text(c, r);
      detail =
          std::to_string(number(c, r, 1)) + " km/h over " + std::to_string(number(c, r, 2)) + " m";
      kind = kind_operator;
      break;
    default:
      return nullptr;
  }
  const text_range keyword = c.range_of(place_of(r, r.chiave), e);
  text_range whole = keyword;
  if (!r.valori.empty()) whole.end = c.range_of(place_of(r, r.valori.back()), e).end;
  if (whole.end.line < whole.start.line) whole.end = keyword.end;
  json s = {{"name", name},
            {"kind", kind},
            {"range", to_json(whole)},
            {"selectionRange", to_json(keyword)}};
  if (!detail.empty()) s["detail"] = detail;
  return s;
}

}  // namespace

json document_symbols(const pair_check& c, file_sorgente f, position_encoding e) {
  const text_lines& bytes = c.byte_lines(f);
  const text_lines& utf8 = c.utf8_lines(f);
  json top = json::array();
  // Sections: from a header to the line before the next one.
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < bytes.line_count(); ++i) {
    if (section_header(bytes.line(i))) headers.push_back(i);
  }
  std::vector<json> sections;
  for (std::size_t h = 0; h < headers.size(); ++h) {
    const std::size_t first = headers[h];
    const std::size_t last = h + 1 < headers.size() ? headers[h + 1] - 1 : bytes.line_count() - 1;
    const auto row = static_cast<std::int64_t>(first);
    const text_range head{{row, 0}, {row, utf8.units(first, bytes.line(first).size(), e)}};
    const text_range whole{
        {row, 0}, {static_cast<std::int64_t>(last), utf8.units(last, bytes.line(last).size(), e)}};
    sections.push_back({{"name", without_blanks(utf8.line(first))},
                        {"kind", kind_namespace},
                        {"range", to_json(whole)},
                        {"selectionRange", to_json(head)},
                        {"children", json::array()}});
  }
  for (const record_letto& r : c.result.sorgenti_letti.record) {
    if (r.file != f) continue;
    json s = record_symbol(c, r, e);
    if (s.is_null()) continue;
    const auto line = static_cast<std::size_t>(r.chiave.riga - 1);
    std::size_t in = headers.size();
    for (std::size_t h = 0; h < headers.size() && headers[h] <= line; ++h) in = h;
    (in < headers.size() ? sections[in]["children"] : top).push_back(std::move(s));
  }
  for (json& s : sections) top.push_back(std::move(s));
  return top;
}

}  // namespace scenario::lsp
