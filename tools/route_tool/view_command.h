// `route_tool view`: the route as one self-contained HTML page to explore
// in a browser, from the two text files (compiled in memory, with where
// every cell's contents came from and the checker's diagnostics) or from a
// folder of compiled files.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_view/drawing_model.h"

namespace scenario {

struct view_options {
  std::optional<std::string> line_file;  // with service_file: the text files
  std::optional<std::string> service_file;
  std::optional<std::string> dir;  // or a folder of compiled files
  std::string output;
  std::optional<std::string> route;  // from the file names, or found in the folder, when not given
  std::optional<std::string> train;
  std::optional<std::string> from;  // the opening view, see km_range.h
  std::optional<std::string> to;
  std::optional<std::string> train_model;  // else NAME_NUMBER_treno.json beside, else defaults
  // The driver's documents to show beside the profile, else
  // NAME_NUMBER_scheda_treno.txt and NAME_NUMBER_rallentamenti.txt beside
  // the service file (or the compiled files) when there.
  std::optional<std::string> sheet;
  std::optional<std::string> slowdown_form;
};

// The drawing model of what the options name. Throws usage_error for an
// unreadable input and errore_decodifica for a bad compiled file.
route_drawing drawing_for(const view_options& o);

// The fastest run over a compiled route into `d`, with the train model
// given, else the one beside the compiled files, else the defaults; the
// model used is returned.
chosen_train_model add_compiled_run(route_drawing& d, const compiled_route& r,
                                    const compiled_set& set,
                                    const std::optional<std::string>& train_model);

// Writes the page and says so on `out`; returns 0.
int run_view(const view_options& o, std::ostream& out);

// Writes `text` to the output file named on the command line. Throws
// usage_error when it is a folder or cannot be written.
void write_output(const std::string& output, const std::string& text);

}  // namespace scenario
