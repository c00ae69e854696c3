// The outcome of `route_tool compile` in words: the diagnostic in the form
// compilers use ("FILE:LINE: error: ..."), the summary of what was compiled,
// the JSON object, and the exit status.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "tools/route_tool/compile_command.h"

namespace scenario {

struct compile_summary {
  std::int32_t line_length = 0;  // metres, "lunghezza percorso"
  std::size_t cells = 0;
  std::int32_t stations = 0;
  std::size_t signals = 0;
  std::size_t slowdowns = 0;
  std::size_t speed_boards = 0;
  std::size_t indication_boards = 0;
};

struct compile_report {
  int exit_status = 0;
  std::string route, train, out_dir;
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  std::string position;              // posizione_errore in words, with the progressive there
  std::optional<std::string> fatal;  // "1250" or "1251"
  bool model_built = false;
  std::optional<std::string> file;     // the user's file to blame, when known
  std::optional<std::int32_t> line;    // the record's line in it
  std::optional<std::int32_t> column;  // and the field's column
  std::string location;                // "file:line", "file" or "route_tool"
  std::string message;                 // plain words: what is wrong and what to change
  std::vector<std::string> written;
  compile_summary summary;
  bool held_back = false;  // --werror: check found something, nothing written
  int check_errors = 0;
  int check_warnings = 0;
  std::string check_text;  // check's counts and the warnings shown, as check prints them
  nlohmann::json check;    // {"diagnostics": [...], "errors": N, "warnings": N}
};

// How many of check's warnings compile shows without --verbose.
inline constexpr std::size_t warnings_shown = 3;

// The counts of a compiled model: signals (cells of code 1), slowdowns (3),
// speed boards (6), indication boards (14), stations recorded.
compile_summary summarise(const modello_percorso& m);

compile_report make_compile_report(const compile_options& o, const compile_outcome& r);

// Diagnostics to `err`, the summary to `out`, then check's findings to `err`.
void write_compile_report_text(const compile_report& r, std::ostream& out, std::ostream& err);

// Exactly one JSON object, no line end.
std::string compile_report_json(const compile_report& r);

}  // namespace scenario
