// `route_tool timing`: the fastest run of the train over the route against
// its timetable, from the two text files (compiled in memory) or from a
// folder of compiled files: the table of sections, the stations' times,
// the sections that cannot be driven; as JSON; the profile as CSV.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace scenario {

struct timing_options {
  std::optional<std::string> line_file;  // with service_file: the text files
  std::optional<std::string> service_file;
  std::optional<std::string> dir;    // or a folder of compiled files
  std::optional<std::string> route;  // from the file names when not given
  std::optional<std::string> train;
  std::optional<std::string> train_model;  // else the one beside the files, else the defaults
  bool json = false;
  std::optional<std::string> profile;  // CSV file of the profile every 10 m
};

// Returns 0, or 1 when a section cannot be driven in its time or the run
// cannot be timed. Throws usage_error for an unreadable input or train
// model and errore_decodifica for a bad compiled file.
int run_timing(const timing_options& o, std::ostream& out);

}  // namespace scenario
