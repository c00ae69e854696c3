#include "tools/route_tool/sheets_command.h"

#include <filesystem>
#include <ostream>

#include "base/file_system.h"
#include "compiler/documenti/impaginazione.h"
#include "compiler/documenti/ordine_rallentamento.h"
#include "compiler/documenti/scheda_marcia.h"
#include "compiler/documenti/scheda_treno.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_files/route_contents.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/scenario_names.h"
#include "tools/timing/compiled_timing_line.h"
#include "tools/timing/train_model_file.h"

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

dati_documenti documents_data_of(const compiled_route& r, const std::string& route,
                                 const std::string& train) {
  return dati_da_modello(r.celle, r.elementi, trova_slot(r).stazioni, route, train);
}

driver_documents make_driver_documents(const dati_documenti& data, const linea_marcia& line,
                                       const modello_treno& model) {
  return {scheda_treno(data, opzioni_scheda_marcia(data, line, model)), ordine_rallentamento(data)};
}

int run_sheets(const sheets_options& o, std::ostream& out, std::ostream& err) {
  disk_file_system disk;
  std::optional<dati_documenti> data;
  linea_marcia timing_line;
  std::optional<std::filesystem::path> beside;
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
    timing_line = std::move(e.linea);
    beside = find_train_model(*o.service_file);
  } else {
    const compiled_set set = find_compiled_set(o.dir.value_or("."), o.route, o.train);
    const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
    data = documents_data_of(r, set.route, set.train);
    timing_line = timing_line_of(r);
    beside = find_train_model_in(set.folder.dir, set.route, set.train);
    source = r.sim_file;
  }
  const chosen_train_model model = choose_train_model(o.train_model, beside);
  if (const std::vector<std::string> missing = dati_mancanti(*data); !missing.empty()) {
    err << "route_tool: error: " << source << ": no documents: the data lack";
    for (std::size_t i = 0; i < missing.size(); ++i) err << (i == 0 ? " " : " and ") << missing[i];
    err << '\n';
    return 1;
  }

  const driver_documents documents = make_driver_documents(*data, timing_line, model.model);
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
