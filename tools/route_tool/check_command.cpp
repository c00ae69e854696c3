#include "tools/route_tool/check_command.h"

#include <ostream>

#include "base/text_format.h"
#include "tools/route_tool/diagnostic_output.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/json_line.h"
#include "tools/route_tool/sarif_output.h"
#include "tools/timing/train_model_file.h"

namespace scenario {

ingresso_controllo check_input(std::string_view line, std::string_view service,
                               const std::string& line_file, const std::string& service_file,
                               const scenario_names& names) {
  ingresso_controllo in;
  in.linea = line;
  in.servizio = service;
  in.nome_file_linea = line_file;
  in.nome_file_servizio = service_file;
  in.nome_linea = names.route;
  in.numero_treno = names.train;
  return in;
}

int run_check(const check_options& o, std::ostream& out) {
  disk_file_system disk;
  const std::string line = read_input(disk, "line description file", o.line_file);
  const std::string service = read_input(disk, "service file", o.service_file);
  const scenario_names names =
      names_of_texts("check", o.route, o.train, o.line_file, o.service_file);
  ingresso_controllo in = check_input(line, service, o.line_file, o.service_file, names);
  in.treno = choose_train_model(o.train_model, find_train_model(o.service_file)).model;
  in.tolleranza_km_m = o.sheet_km_tolerance;
  // The documents' bytes live as long as the input that views them.
  std::string sheet, form;
  if (o.sheet_file) {
    sheet = read_input(disk, "timetable sheet", *o.sheet_file);
    in.altri_file.push_back({file_sorgente::scheda_treno, *o.sheet_file, sheet});
  }
  if (o.form_file) {
    form = read_input(disk, "slowdown order form", *o.form_file);
    in.altri_file.push_back({file_sorgente::rallentamenti, *o.form_file, form});
  }
  const esito_controllo e = controlla(in);

  if (o.format == check_format::json) {
    out << json_line(check_json(e, in)) << '\n';
  } else if (o.format == check_format::sarif) {
    out << json_line(check_sarif(e, in, VO_VERSION)) << '\n';
  } else {
    write_diagnostics_text(e.diagnostiche, in, out);
    if (e.errori == 0 && e.avvisi == 0) {
      out << "route_tool: no faults in '" << o.line_file << "' and '" << o.service_file << "'\n";
    } else {
      out << plural(static_cast<std::size_t>(e.errori), "error", "errors") << " and "
          << plural(static_cast<std::size_t>(e.avvisi), "warning", "warnings") << ".\n";
    }
  }
  const bool fallito = e.errori > 0 || (o.werror && e.avvisi > 0);
  return fallito ? 1 : 0;
}

}  // namespace scenario
