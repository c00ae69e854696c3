// `route_tool check`: every fault of both description files in one run,
// each at its line and column with the fix in plain words.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/check/controlla.h"
#include "tools/route_tool/scenario_names.h"

namespace scenario {

enum class check_format { text, json, sarif };

struct check_options {
  std::string line_file;  // as the user gave it; named in messages
  std::string service_file;
  std::optional<std::string> route;  // from the file names when not given
  std::optional<std::string> train;
  check_format format = check_format::text;
  bool werror = false;  // warnings count as errors for the exit status
  // The driver's documents to compare with the service file.
  std::optional<std::string> sheet_file;
  std::optional<std::string> form_file;
  std::int32_t sheet_km_tolerance = 100;  // metres
  // The train model the timetable is checked against; else the one beside
  // the service file, else the defaults.
  std::optional<std::string> train_model;
};

// The checker's input as the commands give it: the two texts (kept alive by
// the caller), the files as the author named them, and the names.
ingresso_controllo check_input(std::string_view line, std::string_view service,
                               const std::string& line_file, const std::string& service_file,
                               const scenario_names& names);

// Prints the diagnostics on `out`: as text, or exactly one JSON object (our
// own, or a SARIF 2.1.0 log).
// Returns 0 without errors, 1 with errors (or warnings under --werror).
// Unreadable inputs, and names that cannot be told, throw usage_error.
int run_check(const check_options& o, std::ostream& out);

}  // namespace scenario
