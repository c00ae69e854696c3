#include "tools/route_tool/view_command.h"

#include <filesystem>
#include <ostream>

#include "base/file_system.h"
#include "base/path_utf8.h"
#include "compiler/documenti/dati_documenti.h"
#include "compiler/documenti/scheda_marcia.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_tool/check_command.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/km_range.h"
#include "tools/route_tool/sheets_command.h"
#include "tools/route_view/view_page.h"
#include "tools/timing/compiled_timing_line.h"
#include "tools/timing/train_model_file.h"

namespace scenario {

namespace {

std::string model_name(const chosen_train_model& m) {
  return m.file ? path_utf8(*m.file) : std::string("built-in defaults");
}

// The documents to read: the ones given, else those the naming rule finds
// in `dir`. A document given that cannot be read is a usage error.
document_texts documents_for(const view_options& o, const std::filesystem::path& dir,
                             const std::string& route, const std::string& train) {
  disk_file_system disk;
  document_texts t;
  const auto pick = [&](const std::optional<std::string>& given, const std::string& rule,
                        const char* what, std::string& file, std::string& bytes) {
    if (given) {
      file = *given;
      bytes = read_input(disk, what, *given);
      return;
    }
    const std::optional<std::filesystem::path> beside = find_beside(dir, rule);
    if (!beside) return;
    try {
      bytes = disk.read_file(*beside);
      file = path_utf8(*beside);
    } catch (const file_error&) {
      // A document found by the rule but unreadable is left out, as if absent.
    }
  };
  pick(o.sheet, nome_file_scheda(route, train), "timetable sheet", t.sheet_file, t.sheet);
  pick(o.slowdown_form, nome_file_rallentamenti(route, train), "slowdown order form", t.form_file,
       t.form);
  return t;
}

}  // namespace

route_drawing drawing_for(const view_options& o) {
  disk_file_system disk;
  if (o.line_file && o.service_file) {
    const std::string line = read_input(disk, "line description file", *o.line_file);
    const std::string service = read_input(disk, "service file", *o.service_file);
    const scenario_names names =
        names_of_texts("view", o.route, o.train, *o.line_file, *o.service_file);
    const chosen_train_model model =
        choose_train_model(o.train_model, find_train_model(*o.service_file));
    ingresso_controllo in = check_input(line, service, *o.line_file, *o.service_file, names);
    in.posa_geometria = true;
    in.treno = model.model;  // the timetable's warnings against the run drawn
    const esito_controllo e = controlla(in);
    route_drawing d = drawing_of(e, in);
    dati_da_testi_esito data =
        dati_da_compilazione(e.compilazione, service, names.route, names.train);
    if (data.dati) {
      add_run(d, data.linea, model.model, model_name(model));
      const document_texts docs = documents_for(
          o, std::filesystem::path(*o.service_file).parent_path(), names.route, names.train);
      if (!docs.sheet_file.empty() || !docs.form_file.empty()) {
        add_documents(d, *data.dati, docs, sosta_documenti(model.model));
      }
    } else {
      d.run = drawn_run{model_name(model), "no run drawn: " + data.errore, {}, {}, {}};
    }
    return d;
  }
  const compiled_set set = find_compiled_set(o.dir.value_or("."), o.route, o.train);
  const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
  route_drawing d = drawing_of(r, set.route, set.train);
  const chosen_train_model model = add_compiled_run(d, r, set, o.train_model);
  const document_texts docs = documents_for(o, set.folder.dir, set.route, set.train);
  if (!docs.sheet_file.empty() || !docs.form_file.empty()) {
    add_documents(d, documents_data_of(r, set.route, set.train), docs,
                  sosta_documenti(model.model));
  }
  return d;
}

chosen_train_model add_compiled_run(route_drawing& d, const compiled_route& r,
                                    const compiled_set& set,
                                    const std::optional<std::string>& train_model) {
  const chosen_train_model model =
      choose_train_model(train_model, find_train_model_in(set.folder.dir, set.route, set.train));
  add_run(d, timing_line_of(r), model.model, model_name(model));
  return model;
}

void write_output(const std::string& output, const std::string& text) {
  std::error_code ec;
  if (std::filesystem::is_directory(output, ec)) {
    throw usage_error("output '" + output + "' is a folder, not a file");
  }
  disk_file_system disk;
  try {
    disk.write_file(output, text);
  } catch (const file_error& e) {
    throw usage_error("cannot write '" + output + "': " + e.reason());
  }
}

int run_view(const view_options& o, std::ostream& out) {
  const route_drawing d = drawing_for(o);
  const std::string page = view_page_html(d, range_of(o.from, o.to, d));
  write_output(o.output, page);
  out << "route_tool: wrote " << o.output << " (" << page.size() << " bytes)\n";
  return 0;
}

}  // namespace scenario
