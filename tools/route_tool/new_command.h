// `route_tool new NAME NUMBER --out DIR`: a small complete scenario to start
// from: its two texts (the documented example's, which check clean) under the
// author's names, and the driver's two documents made from them.
#pragma once

#include <iosfwd>
#include <string>

namespace scenario {

struct new_options {
  std::string route;  // NAME: the stem of every file name
  std::string train;  // NUMBER
  std::string out_dir;
  bool force = false;  // replace files of the same names
};

// Writes NAME_linea.txt, NAME_NUMBER-.txt, NAME_NUMBER_scheda_treno.txt and
// NAME_NUMBER_rallentamenti.txt into out_dir (created if missing); 0 when
// written. Throws usage_error for a name that cannot name the files, or for a
// file already there (unless force): nothing is written then.
int run_new(const new_options& o, std::ostream& out, std::ostream& err);

// Why `name` cannot be a route name (empty when it can): letters, digits,
// "_" and "-", starting with a letter or digit. A train number takes no "_"
// or "-", since the file names are split at the last "_" before "-.txt".
std::string route_name_fault(const std::string& name);
std::string train_number_fault(const std::string& number);

}  // namespace scenario
