#include "tools/route_tool/compile_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "base/text_format.h"
#include "compiler/check/contesto_check.h"
#include "compiler/check/errori.h"
#include "compiler/route_model/misure.h"
#include "tools/route_tool/check_command.h"
#include "tools/route_tool/diagnostic_output.h"
#include "tools/route_tool/json_line.h"

namespace scenario {

compile_summary summarise(const modello_percorso& m) {
  compile_summary s;
  if (!m.ha_celle()) return s;
  s.line_length = m.elementi[voce::treno_e_linea].fine;
  s.cells = m.celle.size();
  s.stations = m.n_stazioni;
  for (const cella& c : m.celle) {
    if (c.tipo == tipo_cella::segnale) ++s.signals;
    if (c.tipo == tipo_cella::inizio_rallentamento) ++s.slowdowns;
    if (c.tipo == tipo_cella::indicatore_v_max) ++s.speed_boards;
    if (c.tipo == tipo_cella::cartello_indicatore) ++s.indication_boards;
  }
  return s;
}

namespace {

// "code 18 at 22700 m (km 16+350): " and what is wrong: the checker's words
// for the fault (`dettaglio`), or the catalogue's when no fault says more.
std::string code_sentence(std::int32_t codice, const std::string& posizione,
                          const std::string& dettaglio = {}) {
  const voce_catalogo* e = prima_voce_del_codice(codice);
  if (e == nullptr) {
    return "code " + std::to_string(codice) + ": a code this compiler does not document.";
  }
  std::string text = "code " + std::to_string(codice);
  if (e->imposta_posizione) text += " at " + posizione;
  if (!dettaglio.empty()) return text + ": " + dettaglio + ".";
  text += ": " + std::string(e->sommario) + " " + std::string(e->rimedio);
  return text;
}

// The two texts as check took them, for places and source lines.
ingresso_controllo input_of(const compile_options& o, const compile_outcome& r) {
  return check_input(r.line_text, r.service_text, o.line_file, o.service_file, r.names);
}

// The fault in the checker's words.
std::string detail_of(const compile_options& o, const compile_outcome& r, const guasto& g) {
  const ingresso_controllo in = input_of(o, r);
  return diagnostica_guasto(g, contesto_check{in, r.model, r.sources}).messaggio;
}

// "check finds 2 warnings, the first 3 below (all with --verbose):" and
// those warnings as check prints them. Errors are counted only: the one
// the compile step keeps is reported already, and check lists them all.
std::string check_text(const compile_options& o, const compile_outcome& r) {
  const auto errors = static_cast<std::size_t>(r.check.errori);
  const auto warnings = static_cast<std::size_t>(r.check.avvisi);
  if (warnings == 0 && errors <= 1) return {};
  std::ostringstream text;
  text << "route_tool: check finds ";
  if (errors > 1) {
    text << plural(errors, "error", "errors") << " ('route_tool check' shows each)";
    if (warnings == 0) {
      text << '\n';
      return text.str();
    }
    text << " and ";
  }
  text << plural(warnings, "warning", "warnings");
  const std::size_t shown = o.verbose ? warnings : std::min(warnings, warnings_shown);
  text << (shown < warnings ? ", the first " + std::to_string(shown) + " below (all with --verbose)"
                            : std::string())
       << ":\n";
  std::vector<diagnostica> list;
  for (const diagnostica& d : r.check.diagnostiche) {
    if (list.size() < shown && d.severita() == gravita::avviso) list.push_back(d);
  }
  write_diagnostics_text(list, input_of(o, r), text);
  return text.str();
}

// The last fault of code `codice`: the one that set it.
const guasto* last_fault(const compile_outcome& r, std::int32_t codice) {
  for (auto it = r.faults.rbegin(); it != r.faults.rend(); ++it) {
    if (numero(it->codice_guasto) == codice) return &*it;
  }
  return nullptr;
}

}  // namespace

compile_report make_compile_report(const compile_options& o, const compile_outcome& r) {
  compile_report rep;
  const modello_percorso& m = r.model;
  rep.route = r.names.route;
  rep.train = r.names.train;
  rep.out_dir = o.out_dir;
  rep.codice_errore = m.codice_errore;
  rep.posizione_errore = m.posizione_errore;
  rep.position = metri_e_progressiva(m.posizione_errore, serie_in_uso(m.elementi));
  rep.model_built = m.ha_celle();
  rep.summary = summarise(m);
  for (const auto& p : r.written) rep.written.push_back(p.string());

  // The file to blame: the record that set the code, else the file whose
  // records can set it.
  std::string detail;
  if (m.codice_errore != 0) {
    const guasto* g = last_fault(r, m.codice_errore);
    if (g != nullptr && g->file == file_sorgente::linea) rep.file = o.line_file;
    if (g != nullptr && g->file == file_sorgente::servizio) rep.file = o.service_file;
    if (rep.file && g->dove.riga > 0) {
      rep.line = g->dove.riga;
      rep.column = g->dove.colonna;
    }
    if (g != nullptr) detail = detail_of(o, r, *g);
    if (!rep.file) {
      if (const voce_catalogo* e = prima_voce_del_codice(m.codice_errore)) {
        if (e->file == file_colpevole::linea) rep.file = o.line_file;
        if (e->file == file_colpevole::servizio) rep.file = o.service_file;
      }
    }
  }
  rep.location = rep.file ? *rep.file : "route_tool";
  if (rep.line) rep.location += ":" + std::to_string(*rep.line);

  switch (r.esito) {
    case esito_compilazione::completato:
      rep.exit_status = m.codice_errore == 0 && !r.held_back ? 0 : 1;
      if (m.codice_errore != 0) {
        rep.message = code_sentence(m.codice_errore, rep.position, detail) +
                      (r.held_back ? " With --werror no binary file was written."
                                   : " The binary files were written all the same.");
      } else if (r.held_back) {
        rep.message = "compiled without faults, but check finds " +
                      plural(static_cast<std::size_t>(r.check.avvisi), "warning", "warnings") +
                      ": with --werror no binary file was written.";
      } else {
        rep.message = "compiled without faults";
      }
      break;
    case esito_compilazione::errore_1250:
    case esito_compilazione::errore_1251: {
      const codice fatal = codice_arresto(r.esito);
      rep.fatal = std::to_string(numero(fatal));
      rep.exit_status = 3;
      if (const guasto* slot = last_fault(r, numero(fatal))) {
        rep.message = detail_of(o, r, *slot) + ".";
      } else {
        const voce_catalogo* e = prima_voce_del_codice(numero(fatal));
        rep.message = "Errore n. " + *rep.fatal + ": " + std::string(e->sommario) + " " +
                      std::string(e->rimedio);
      }
      if (m.codice_errore != 0) {
        rep.message += " Before that, the compile step had recorded " +
                       code_sentence(m.codice_errore, rep.position);
      }
      rep.location = "route_tool";
      rep.file.reset();
      rep.line.reset();
      break;
    }
    case esito_compilazione::senza_modello:
      rep.exit_status = 1;
      rep.message = m.codice_errore != 0
                        ? code_sentence(m.codice_errore, rep.position, detail) + " "
                        : std::string();
      rep.message +=
          "No route model was built (reading stopped before a valid \"lunghezza percorso\" "
          "record in the \"[generale]\" section of the line description file), so no binary "
          "file was written.";
      if (!rep.file) {
        rep.file = o.line_file;
        rep.location = o.line_file;
      }
      break;
  }
  rep.held_back = r.held_back;
  rep.check_errors = r.check.errori;
  rep.check_warnings = r.check.avvisi;
  rep.check_text = check_text(o, r);
  rep.check = check_json(r.check, input_of(o, r));
  return rep;
}

void write_compile_report_text(const compile_report& r, std::ostream& out, std::ostream& err) {
  if (r.exit_status != 0) err << r.location << ": error: " << r.message << '\n';
  out << "route_tool: compiled route '" << r.route << "', train '" << r.train << "' into '"
      << (r.out_dir.empty() ? "." : r.out_dir) << "'\n";
  if (r.model_built) {
    const compile_summary& s = r.summary;
    out << "  line length " << s.line_length << " m, " << s.cells << " cells of 50 m\n";
    out << "  " << plural(static_cast<std::size_t>(std::max(0, s.stations)), "station", "stations")
        << ", " << plural(s.signals, "signal", "signals") << ", "
        << plural(s.slowdowns, "slowdown", "slowdowns") << ", "
        << plural(s.speed_boards, "speed board", "speed boards") << ", "
        << plural(s.indication_boards, "indication board", "indication boards") << '\n';
  }
  for (const auto& w : r.written) out << "  wrote " << w << '\n';
  if (r.written.empty()) out << "  no binary file written\n";
  if (r.exit_status == 0) {
    out << "  result: no faults (code 0)";
    if (r.check_warnings > 0) {
      out << ", " << plural(static_cast<std::size_t>(r.check_warnings), "warning", "warnings")
          << " from check (below)";
    }
    out << '\n';
  } else if (r.held_back && r.codice_errore == 0 && !r.fatal) {
    out << "  result: code 0, but nothing written: check finds "
        << plural(static_cast<std::size_t>(r.check_warnings), "warning", "warnings")
        << " (--werror)\n";
  } else if (r.fatal) {
    out << "  result: stopped by Errore n. " << *r.fatal << '\n';
  } else {
    out << "  result: code " << r.codice_errore << '\n';
  }
  if (!r.check_text.empty()) {
    out.flush();
    err << r.check_text;
  }
}

std::string compile_report_json(const compile_report& r) {
  using json = nlohmann::ordered_json;
  const auto or_null = [](const auto& v) { return v ? json(*v) : json(nullptr); };
  const compile_summary& s = r.summary;
  return json_line(json{{"codice_errore", r.codice_errore},
                        {"posizione_errore", r.posizione_errore},
                        {"position", r.position},
                        {"fatal", or_null(r.fatal)},
                        {"message", r.message},
                        {"file", or_null(r.file)},
                        {"line", or_null(r.line)},
                        {"column", or_null(r.column)},
                        {"exit_status", r.exit_status},
                        {"route", r.route},
                        {"train", r.train},
                        {"model_built", r.model_built},
                        {"written", r.written},
                        {"summary",
                         {{"line_length_m", s.line_length},
                          {"cells", s.cells},
                          {"stations", s.stations},
                          {"signals", s.signals},
                          {"slowdowns", s.slowdowns},
                          {"speed_boards", s.speed_boards},
                          {"indication_boards", s.indication_boards}}},
                        {"check", r.check}});
}

}  // namespace scenario
