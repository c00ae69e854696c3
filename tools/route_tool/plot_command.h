// `route_tool plot`: draws a compiled route as one SVG file.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace scenario {

struct plot_options {
  std::string dir;
  std::string output;
  std::optional<std::string> route;  // found in the folder when not given
  std::optional<std::string> train;
  std::optional<std::string> from;  // the stretch drawn, see km_range.h
  std::optional<std::string> to;
  std::optional<std::string> train_model;  // else NAME_NUMBER_treno.json beside, else defaults
};

// Decodes the files of `o.dir`, writes the SVG and says so on `out`; returns
// 0. Throws errore_decodifica for a bad compiled file and usage_error when the
// SVG cannot be written.
int run_plot(const plot_options& o, std::ostream& out);

}  // namespace scenario
