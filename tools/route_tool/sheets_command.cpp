#include "tools/route_tool/sheets_command.h"

#include <filesystem>
#include <ostream>

#include "base/file_system.h"
#include "compiler/documenti/impaginazione.h"
#include "compiler/documenti/ordine_rallentamento.h"
#include "compiler/documenti/scheda_treno.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_files/route_contents.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/scenario_names.h"

namespace scenario {

namespace {

std::size_t pages(const std::string& bytes, std::size_t lines_per_page) {
  std::size_t lines = 0;
  for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    ++lines;
  }
  return lines / lines_per_page;
}

}  // namespace

driver_documents make_driver_documents(const dati_documenti& data) {
  // No passing times yet: the running-time calculation will give them.
  const opzioni_scheda sheet_options;
  return {scheda_treno(data, sheet_options), ordine_rallentamento(data)};
}

int run_sheets(const sheets_options& o, std::ostream& out, std::ostream& err) {
  disk_file_system disk;
  std::optional<dati_documenti> data;
  std::string source;
  if (o.line_file && o.service_file) {
    const std::string line = read_input(disk, "line description file", *o.line_file);
    const std::string service = read_input(disk, "service file", *o.service_file);
    const scenario_names names =
        names_of_texts("sheets", o.route, o.train, *o.line_file, *o.service_file);
    source = *o.line_file + ", " + *o.service_file;
    dati_da_testi_esito e = dati_da_testi(line, service, names.route, names.train);
    if (!e.dati) {
      err << "route_tool: error: " << source << ": no documents: " << e.errore
          << " (see 'route_tool check')\n";
      return 1;
    }
    data = std::move(e.dati);
  } else {
    const compiled_set set = find_compiled_set(o.dir.value_or("."), o.route, o.train);
    const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
    const slot_elementi slots = trova_slot(r);
    data = dati_da_modello(r.celle, r.elementi, slots.stazioni, set.route, set.train);
    source = r.sim_file;
  }
  if (o.train_model) {
    // Read now so that a wrong name is said at once; the passing times and
    // the dwell come from it once the running-time calculation is built in.
    (void)read_input(disk, "train model file", *o.train_model);
  }
  if (const std::vector<std::string> missing = dati_mancanti(*data); !missing.empty()) {
    err << "route_tool: error: " << source << ": no documents: the data lack";
    for (std::size_t i = 0; i < missing.size(); ++i) err << (i == 0 ? " " : " and ") << missing[i];
    err << '\n';
    return 1;
  }

  const driver_documents documents = make_driver_documents(*data);
  const std::string& sheet = documents.sheet;
  const std::string& form = documents.form;

  const std::filesystem::path out_dir = o.out_dir.empty() ? "." : o.out_dir;
  prepare_out_dir(out_dir);
  const program_folder folder{out_dir,
                              static_cast<char>(std::filesystem::path::preferred_separator)};
  const std::pair<std::string, std::size_t> files[] = {
      {file_path(folder, nome_file_scheda(data->nome_linea, data->numero_treno)).string(),
       pages(sheet, pagina_scheda::n_righe)},
      {file_path(folder, nome_file_rallentamenti(data->nome_linea, data->numero_treno)).string(),
       pages(form, pagina_modulo::n_righe)}};
  const std::string* contents[] = {&sheet, &form};
  for (std::size_t i = 0; i < 2; ++i) {
    try {
      disk.write_file(files[i].first, *contents[i]);
    } catch (const file_error& e) {
      throw usage_error("cannot write '" + files[i].first + "': " + e.reason());
    }
    out << "route_tool: wrote " << files[i].first << " (" << contents[i]->size() << " bytes, "
        << files[i].second << (files[i].second == 1 ? " page" : " pages") << ")\n";
  }
  return 0;
}

}  // namespace scenario
