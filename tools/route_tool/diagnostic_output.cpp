#include "tools/route_tool/diagnostic_output.h"

#include <ostream>

#include "base/cp1252.h"
#include "compiler/check/contesto_check.h"

namespace scenario {

namespace {

std::string_view severity_name(gravita g) {
  return g == gravita::errore ? "error" : "warning";
}

// The source line, and under it a caret at the field's column with tildes
// along the rest of the field. Tabs stay tabs so the caret lines up.
void write_caret(const luogo& l, const righe_dei_file& lines, std::ostream& out) {
  if (l.riga <= 0) return;
  std::string_view line = lines.riga(l);
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
  const righe_dei_file lines(in);
  for (const diagnostica& d : list) {
    out << in.posto(d.dove) << ": " << severity_name(d.severita()) << ": " << d.messaggio << " ["
        << d.nome() << "]\n";
    write_caret(d.dove, lines, out);
    for (const nota& n : d.correlate) {
      out << in.posto(n.dove) << ": note: " << n.messaggio << '\n';
      write_caret(n.dove, lines, out);
    }
  }
}

nlohmann::json diagnostic_json(const diagnostica& d, const ingresso_controllo& in) {
  nlohmann::json related = nlohmann::json::array();
  for (const nota& n : d.correlate) {
    related.push_back({{"file", in.nome_file(n.dove.file)},
                       {"line", n.dove.riga},
                       {"column", n.dove.colonna},
                       {"message", n.messaggio}});
  }
  const std::optional<std::int32_t> code = d.codice();
  return {{"file", in.nome_file(d.dove.file)},
          {"line", d.dove.riga},
          {"column", d.dove.colonna},
          {"severity", severity_name(d.severita())},
          {"code", code ? nlohmann::json(*code) : nlohmann::json(nullptr)},
          {"id", d.nome()},
          {"message", d.messaggio},
          {"related", related}};
}

nlohmann::json check_json(const esito_controllo& e, const ingresso_controllo& in) {
  nlohmann::json list = nlohmann::json::array();
  for (const diagnostica& d : e.diagnostiche) list.push_back(diagnostic_json(d, in));
  return {{"diagnostics", list}, {"errors", e.errori}, {"warnings", e.avvisi}};
}

}  // namespace scenario
