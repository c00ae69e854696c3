#include "tools/route_tool/compile_command.h"

#include <system_error>
#include <utility>

#include "base/file_system.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_tool/check_command.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compile_report.h"
#include "tools/route_tool/input_files.h"
#include "tools/timing/train_model_file.h"

namespace scenario {

namespace fs = std::filesystem;

compile_outcome compile_files(const compile_options& o) {
  disk_file_system disk;
  const std::string line = read_input(disk, "line description file", o.line_file);
  const std::string service = read_input(disk, "service file", o.service_file);
  compile_outcome r;
  r.names = names_of_texts("compile", o.route, o.train, o.line_file, o.service_file);
  const fs::path out_dir(o.out_dir.empty() ? "." : o.out_dir);
  prepare_out_dir(out_dir);

  // check compiles the texts exactly as the compile step does (j = 1,
  // sources kept): its run, with the geometry laid, gives the files too. The
  // timetable is judged as check judges it, with the train model beside the
  // service file.
  ingresso_controllo in = check_input(line, service, o.line_file, o.service_file, r.names);
  in.treno = choose_train_model(std::nullopt, find_train_model(o.service_file)).model;
  in.posa_geometria = true;
  in.file_binari = true;
  esito_controllo checked = controlla(in);
  r.held_back = o.werror && (checked.errori > 0 || checked.avvisi > 0);
  risultato_compilazione c = std::move(checked.compilazione);
  r.check.diagnostiche = std::move(checked.diagnostiche);
  r.check.errori = checked.errori;
  r.check.avvisi = checked.avvisi;

  r.esito = c.esito;
  if (c.esito == esito_compilazione::completato && !r.held_back) {
    // The line data file is made piece by piece as it is written.
    const bytes_content sim(c.sim), celle(c.celle_dat);
    const std::pair<std::string, const file_content*> files[] = {
        {nome_file_linea_dat(r.names.route), &c.modello.tracciato},
        {nome_file_sim(r.names.route, r.names.train), &sim},
        {nome_file_celle_dat(r.names.route, r.names.train), &celle}};
    for (const auto& [name, content] : files) {
      const fs::path to = out_dir / fs::path(name);
      try {
        disk.write_file(to, *content);
      } catch (const file_error& e) {
        throw usage_error("cannot write '" + to.string() + "': " + e.reason());
      }
      r.written.push_back(to);
    }
  }
  r.model = std::move(c.modello);
  r.faults = std::move(c.traccia.guasti);
  r.sources = std::move(c.sorgenti);
  r.line_text = line;
  r.service_text = service;
  return r;
}

int run_compile(const compile_options& o, std::ostream& out, std::ostream& err) {
  const compile_outcome r = compile_files(o);
  const compile_report report = make_compile_report(o, r);
  if (o.json) {
    out << compile_report_json(report) << '\n';
  } else {
    write_compile_report_text(report, out, err);
  }
  return report.exit_status;
}

}  // namespace scenario
