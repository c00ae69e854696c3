// `route_tool sheets`: the driver's two documents of a scenario, the
// timetable sheet and the slowdown order form, written from its two texts
// or from a folder of compiled files.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "compiler/documenti/dati_documenti.h"
#include "compiler/marcia/linea_marcia.h"
#include "compiler/marcia/modello_treno.h"
#include "tools/route_files/compiled_route.h"

namespace scenario {

struct sheets_options {
  std::optional<std::string> line_file;  // with service_file: the text files
  std::optional<std::string> service_file;
  std::optional<std::string> dir;  // or a folder of compiled files
  std::string out_dir;
  std::optional<std::string> route;  // from the file names when not given
  std::optional<std::string> train;
  std::optional<std::string> train_model;  // for the running-time calculation
};

// The documents' data of compiled files (no records behind them).
dati_documenti documents_data_of(const compiled_route& r, const std::string& route,
                                 const std::string& train);

// The timetable sheet and the slowdown order form of a scenario's data, as
// `sheets` and `new` write them: the passing times and the dwell from the
// run of `model` over `line`, the same route.
struct driver_documents {
  std::string sheet;
  std::string form;
};
driver_documents make_driver_documents(const dati_documenti& data, const linea_marcia& line,
                                       const modello_treno& model);

// Writes NAME_NUMBER_scheda_treno.txt and NAME_NUMBER_rallentamenti.txt
// into out_dir; 0 when written, 1 when the data do not make the documents
// (said on `err`). Throws usage_error and errore_decodifica like the others.
int run_sheets(const sheets_options& o, std::ostream& out, std::ostream& err);

}  // namespace scenario
