// Diagnostics as the author reads them: compiler-style text with the source
// line and a caret under the field, or one JSON object.
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>

#include "compiler/check/controlla.h"

namespace scenario {

// "FILE:LINE:COL: error: message [id]", the source line, a caret under the
// field, then "FILE:LINE:COL: note: ..." lines. `in` gives the texts and the
// files' names.
void write_diagnostic_text(const diagnostica& d, const ingresso_controllo& in, std::ostream& out);

// "file", "line", "column", "severity", "code", "id", "message", "related".
nlohmann::json diagnostic_json(const diagnostica& d, const ingresso_controllo& in);

// {"diagnostics": [...], "errors": N, "warnings": N}
nlohmann::json check_json(const esito_controllo& e, const ingresso_controllo& in);

// The text of line `riga` (1-based) of a file, as UTF-8, without its end.
std::string source_line(std::string_view testo, std::int32_t riga);

}  // namespace scenario
