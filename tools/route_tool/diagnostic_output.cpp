#include "tools/route_tool/diagnostic_output.h"

#include <ostream>

#include "base/cp1252.h"
#include "base/indice_righe.h"

namespace scenario {

namespace {

const std::string& file_name(file_sorgente f, const ingresso_controllo& in) {
  return f == file_sorgente::servizio ? in.nome_file_servizio : in.nome_file_linea;
}

// Both files' lines, indexed once for all the diagnostics.
struct file_lines {
  explicit file_lines(const ingresso_controllo& in) : line(in.linea), service(in.servizio) {}
  std::string_view of(const luogo& l) const {
    return (l.file == file_sorgente::servizio ? service : line).riga(l.riga);
  }
  indice_righe line;
  indice_righe service;
};

std::string place(const luogo& l, const ingresso_controllo& in) {
  std::string p = file_name(l.file, in);
  if (l.riga > 0) p += ":" + std::to_string(l.riga) + ":" + std::to_string(l.colonna);
  return p;
}

std::string_view severity_name(gravita g) {
  return g == gravita::errore ? "error" : "warning";
}

// The source line, and under it a caret at the field's column with tildes
// along the rest of the field. Tabs stay tabs so the caret lines up.
void write_caret(const luogo& l, const file_lines& lines, std::ostream& out) {
  if (l.riga <= 0) return;
  std::string_view line = lines.of(l);
  auto col = static_cast<std::size_t>(l.colonna > 0 ? l.colonna - 1 : 0);
  // A very long line is shown around the field only.
  constexpr std::size_t shown = 160;
  std::string before, after;
  if (line.size() > shown) {
    const std::size_t start = col > shown / 2 ? col - shown / 2 : 0;
    if (start > 0) before = "...";
    if (start + shown < line.size()) after = "...";
    line = line.substr(start, shown);
    col = col - start + before.size();
  }
  out << before << cp1252_to_utf8(line) << after << '\n';
  std::string marks(before.size(), ' ');
  for (std::size_t i = before.size(); i < col && i - before.size() < line.size(); ++i) {
    marks += line[i - before.size()] == '\t' ? '\t' : ' ';
  }
  marks += '^';
  for (std::int32_t i = 1; i < l.lunghezza; ++i) marks += '~';
  out << marks << '\n';
}

}  // namespace

void write_diagnostics_text(const std::vector<diagnostica>& list, const ingresso_controllo& in,
                            std::ostream& out) {
  const file_lines lines(in);
  for (const diagnostica& d : list) {
    out << place(d.dove, in) << ": " << severity_name(d.severita) << ": " << d.messaggio << " ["
        << d.id << "]\n";
    write_caret(d.dove, lines, out);
    for (const nota& n : d.correlate) {
      out << place(n.dove, in) << ": note: " << n.messaggio << '\n';
      write_caret(n.dove, lines, out);
    }
  }
}

nlohmann::json diagnostic_json(const diagnostica& d, const ingresso_controllo& in) {
  nlohmann::json related = nlohmann::json::array();
  for (const nota& n : d.correlate) {
    related.push_back({{"file", file_name(n.dove.file, in)},
                       {"line", n.dove.riga},
                       {"column", n.dove.colonna},
                       {"message", n.messaggio}});
  }
  return {{"file", file_name(d.dove.file, in)},
          {"line", d.dove.riga},
          {"column", d.dove.colonna},
          {"severity", severity_name(d.severita)},
          {"code", d.codice ? nlohmann::json(*d.codice) : nlohmann::json(nullptr)},
          {"id", d.id},
          {"message", d.messaggio},
          {"related", related}};
}

nlohmann::json check_json(const esito_controllo& e, const ingresso_controllo& in) {
  nlohmann::json list = nlohmann::json::array();
  for (const diagnostica& d : e.diagnostiche) list.push_back(diagnostic_json(d, in));
  return {{"diagnostics", list}, {"errors", e.errori}, {"warnings", e.avvisi}};
}

}  // namespace scenario
