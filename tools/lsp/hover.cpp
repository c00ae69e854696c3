#include "tools/lsp/hover.h"

#include <string>

#include "base/cp1252.h"
#include "compiler/check/contesto_check.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/route_model/misure.h"
#include "tools/lsp/record_at.h"

namespace scenario::lsp {

namespace {

std::string_view type_name(tipo_valore t) {
  switch (t) {
    case tipo_valore::long_32:
      return "whole number (32-bit)";
    case tipo_valore::integer_16:
      return "whole number (16-bit, -32768 to 32767)";
    case tipo_valore::byte_8:
      return "whole number (0 to 255)";
    default:
      return "text";
  }
}

std::string field_line(const descrizione_campo& f) {
  std::string s = "`" + std::string(f.nome) + "`";
  if (!f.unita.empty()) s += " (" + std::string(f.unita) + ")";
  return s + ": " + std::string(f.significato);
}

// Cells a..b of a profile or span, as one line.
struct run {
  std::int64_t first = -1;
  std::int64_t last = -1;
  void add(std::int64_t i) {
    if (first < 0) first = i;
    last = i;
  }
};

std::string run_text(const run& r, std::string_view what) {
  if (r.first < 0) return {};
  std::string s = "- " + std::string(what) + ": cell " + std::to_string(r.first);
  if (r.last != r.first) s += " to " + std::to_string(r.last);
  return s + " (from " + metri(metri_di_cella(r.first)) + ")\n";
}

// The cells of the model that the record put something into.
std::string cells_of_record(const pair_check& c, std::int32_t record) {
  const modello_percorso& m = c.result.modello_letto;
  const sorgenti_modello& s = c.result.sorgenti_letti;
  const ingresso_controllo in = c.input();
  const contesto_check words{in, m, s};
  std::string objects;
  run gradient, speed, adhesion, span;
  for (std::size_t i = 0; i < s.celle.size() && i < m.celle.size(); ++i) {
    const origine_cella& o = s.celle[i];
    const auto cell = static_cast<std::int64_t>(i);
    if (o.oggetto == record) {
      objects += "- " + cella_in_parole(cell) + ": " +
                 words.oggetto(m.celle[i].tipo, nessun_record, o.regola) + ", cell code " +
                 std::to_string(m.celle[i].tipo) + "\n";
    }
    if (o.pendenza == record) gradient.add(cell);
    if (o.velocita == record) speed.add(cell);
    if (o.aderenza == record) adhesion.add(cell);
    if (o.montagna == record) span.add(cell);
  }
  std::string text = objects + run_text(gradient, "gradient") + run_text(speed, "speed limit") +
                     run_text(adhesion, "adhesion") + run_text(span, "span");
  if (text.empty()) return {};
  return "\n\nIn the model:\n" + text;
}

}  // namespace

std::string record_markdown(const descrizione_record& d) {
  std::string s = "**" + std::string(d.parola_chiave) + "**: " + std::string(d.descrizione) + " (" +
                  (d.file == file_sorgente::linea ? "line description file" : "service file") +
                  (d.sezione_generale ? ", section \"[generale]\"" : "") + ")\n\n";
  for (std::size_t i = 0; i < d.campi.size(); ++i) {
    s += std::to_string(i + 1) + ". " + field_line(d.campi[i]) + "\n";
  }
  return s;
}

std::string field_markdown(const descrizione_record& d, std::size_t i) {
  const descrizione_campo& f = d.campi[i];
  std::string s = "**`" + std::string(f.nome) + "`**, value " + std::to_string(i + 1) + " of " +
                  std::to_string(d.campi.size()) + " of **" + std::string(d.parola_chiave) +
                  "**: " + std::string(type_name(f.tipo));
  if (!f.unita.empty()) s += ", " + std::string(f.unita);
  s += "\n\n" + std::string(f.significato) + "\n\nThe model keeps: " + std::string(f.memorizzato);
  return s;
}

json hover(const pair_check& c, file_sorgente f, const text_position& p, position_encoding e) {
  const sorgenti_modello& s = c.result.sorgenti_letti;
  const std::size_t offset = c.byte_offset(f, p, e);
  const auto at = field_at_offset(s, f, offset);
  if (!at) return nullptr;
  const record_letto& r = *s.trova(at->record);
  const descrizione_record& d = descrizione(r.tipo);
  const campo_testo& field =
      at->value < 0 ? r.chiave : r.valori[static_cast<std::size_t>(at->value)];
  std::string text;
  if (at->value < 0 || static_cast<std::size_t>(at->value) >= d.campi.size()) {
    text = record_markdown(d);
  } else {
    const auto i = static_cast<std::size_t>(at->value);
    text = field_markdown(d, i);
    const std::string_view bytes =
        std::string_view(c.member(f).bytes).substr(field.inizio, field.fine - field.inizio);
    if (d.campi[i].unita == "m") {
      const std::int64_t metres = valore_numero(bytes).value_or(0);
      text += "\n\n" + metri_e_progressiva(metres, serie_in_uso(c.result.modello_letto.elementi));
      // The record's place in the model, under its position.
      if (i == 0) text += cells_of_record(c, at->record);
    }
  }
  const luogo where{f, field.riga, field.colonna,
                    static_cast<std::int32_t>(field.fine - field.inizio)};
  return {{"contents", {{"kind", "markdown"}, {"value", text}}},
          {"range", to_json(c.range_of(where, e))}};
}

}  // namespace scenario::lsp
