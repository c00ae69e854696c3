// `route_tool compile`: runs the compile step on an author's own line
// description and service files and reports the outcome.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "compiler/check/controlla.h"
#include "compiler/compila.h"
#include "compiler/route_model/route_model.h"
#include "tools/route_tool/scenario_names.h"

namespace scenario {

struct compile_options {
  std::string line_file;  // as the user gave it; named in messages
  std::string service_file;
  std::string out_dir;
  std::optional<std::string> route;  // from the file names when not given
  std::optional<std::string> train;
  bool json = false;
  bool werror = false;   // write nothing when check finds an error or a warning
  bool verbose = false;  // every warning of check, not the first few
};

struct compile_outcome {
  esito_compilazione esito = esito_compilazione::senza_modello;
  modello_percorso model;
  std::vector<guasto> faults;  // every fault, in the order found
  sorgenti_modello sources;    // where each object came from
  std::string line_text;       // the two files as read
  std::string service_text;
  std::vector<std::filesystem::path> written;  // binary files now in the output folder
  scenario_names names;                        // the route and train compiled
  // check's findings on the same texts: its diagnostics and their counts
  // (the rest of its outcome is not kept).
  esito_controllo check;
  bool held_back = false;  // --werror and check found something: nothing written
};

// Reads the two files into memory, checks them, compiles them with j = 1
// and writes the three binary files into the output folder, each replacing
// any older file of its name whole (none under --werror when check finds a
// fault). The user's files are only read. Throws usage_error when an input
// cannot be read, the names cannot be told, or the output folder cannot be
// created or written.
compile_outcome compile_files(const compile_options& o);

// The whole command: compile, then report on `out` (summary, JSON) and `err`
// (diagnostics). Returns the exit status: 0 no fault, 1 a data fault or no
// route model, 3 stopped by 1250/1251. Usage errors propagate as usage_error.
int run_compile(const compile_options& o, std::ostream& out, std::ostream& err);

}  // namespace scenario
