// The drawing model's documents: a timetable sheet and a slowdown order
// form read and cross-checked against the data, their rows placed along
// the line for the viewer.
#include <string_view>

#include "base/cp1252.h"
#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/lettura_documenti.h"
#include "tools/route_view/drawing_model.h"

namespace scenario {

namespace {

// The text at a place of a document (one line, from a 1-based column).
std::string text_at(std::string_view bytes, const posto& p) {
  if (p.riga <= 0 || p.colonna <= 0) return {};
  std::size_t at = 0;
  for (std::int32_t k = 1; k < p.riga; ++k) {
    at = bytes.find('\n', at);
    if (at == std::string_view::npos) return {};
    ++at;
  }
  const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
  std::string_view line = bytes.substr(at, end - at);
  const auto from = static_cast<std::size_t>(p.colonna - 1);
  if (from >= line.size()) return {};
  line = line.substr(from, static_cast<std::size_t>(std::max(p.lunghezza, 0)));
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  return cp1252_to_utf8(std::string(line));
}

// Half minutes of the day in seconds.
std::optional<std::int32_t> seconds(const std::optional<std::int64_t>& half_minutes) {
  if (!half_minutes) return std::nullopt;
  return static_cast<std::int32_t>(*half_minutes * 30);
}

std::optional<double> along(const route_drawing& d, const std::optional<std::int64_t>& km) {
  return km ? position_of_chainage(d, *km) : std::nullopt;
}

// The drawn station of a data station, by its item-table slot.
std::optional<std::size_t> drawn_station_of(const route_drawing& d, const stazione_documento& s) {
  for (std::size_t i = 0; i < d.stations.size(); ++i) {
    if (d.stations[i].slot == s.voce) return i;
  }
  return std::nullopt;
}

void add_findings(drawn_documents& out, const rilievi& found, const char* document) {
  for (const rilievo& f : found) {
    document_finding x;
    x.document = document;
    x.id = f.id;
    x.message = f.messaggio;  // UTF-8 already, names and all
    x.matched = f.abbinato;
    x.disagreement = f.genere == genere_rilievo::disaccordo;
    x.line = f.dove.riga;
    x.column = f.dove.colonna;
    out.findings.push_back(std::move(x));
  }
}

}  // namespace

void add_documents(route_drawing& d, const dati_documenti& data, const document_texts& texts,
                   std::int32_t dwell_s) {
  drawn_documents out;
  out.sheet_file = texts.sheet_file;
  out.form_file = texts.form_file;
  opzioni_confronto o;
  o.sosta_s = dwell_s;
  if (!texts.sheet_file.empty()) {
    const scheda_letta sheet = leggi_scheda(texts.sheet);
    std::vector<std::optional<std::size_t>> station_of(sheet.righe.size());
    const std::vector<std::optional<std::size_t>> row_of = abbina_scheda(sheet, data, o);
    for (std::size_t i = 0; i < row_of.size(); ++i) {
      if (row_of[i]) station_of[*row_of[i]] = drawn_station_of(d, data.stazioni[i]);
    }
    for (std::size_t j = 0; j < sheet.righe.size(); ++j) {
      const riga_scheda& r = sheet.righe[j];
      sheet_row row;
      row.line = r.riga;
      row.name = cp1252_to_utf8(r.nome);
      row.km_m = r.km;
      row.station = station_of[j];
      row.at_m =
          row.station ? std::optional<double>(d.stations[*row.station].axis_m) : along(d, r.km);
      row.times = text_at(texts.sheet, r.dove_orario);
      row.arrival_s = seconds(r.orari.arrivo);
      row.departure_s = seconds(r.orari.partenza);
      row.passing_s = seconds(r.orari.passaggio);
      out.rows.push_back(std::move(row));
    }
    add_findings(out, con_lettura(sheet, confronta_scheda(sheet, data, o)), "sheet");
    // A finding on a row stands where the row does.
    for (document_finding& f : out.findings) {
      for (const sheet_row& row : out.rows) {
        if (row.line == f.line) f.at_m = row.at_m;
      }
    }
  }
  if (!texts.form_file.empty()) {
    const modulo_letto form = leggi_modulo(texts.form);
    const std::size_t first = out.findings.size();
    add_findings(out, con_lettura(form, confronta_modulo(form, data, o)), "form");
    for (std::size_t k = first; k < out.findings.size(); ++k) {
      document_finding& f = out.findings[k];
      for (const riga_modulo& r : form.righe) {
        if (r.riga == f.line && r.km) f.at_m = along(d, r.km);
      }
    }
  }
  d.documents = std::move(out);
}

}  // namespace scenario
