// `route_tool view`: the route as one self-contained HTML page to explore
// in a browser, from the two text files (compiled in memory, with where
// every cell's contents came from and the checker's diagnostics) or from a
// folder of compiled files.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

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
};

// The drawing model of what the options name. Throws usage_error for an
// unreadable input and errore_decodifica for a bad compiled file.
route_drawing drawing_for(const view_options& o);

// Writes the page and says so on `out`; returns 0.
int run_view(const view_options& o, std::ostream& out);

// Writes `text` to the output file named on the command line. Throws
// usage_error when it is a folder or cannot be written.
void write_output(const std::string& output, const std::string& text);

}  // namespace scenario
