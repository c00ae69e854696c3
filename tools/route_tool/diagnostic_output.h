// Diagnostics as the author reads them: compiler-style text with the source
// line and a caret under the field, or one JSON object.
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "compiler/check/controlla.h"

namespace scenario {

// For each diagnostic "FILE:LINE:COL: error: message [id]", the source line,
// a caret under the field, then "FILE:LINE:COL: note: ..." lines. `in` gives
// the texts and the files' names.
void write_diagnostics_text(const std::vector<diagnostica>& list, const ingresso_controllo& in,
                            std::ostream& out);

// "file", "line", "column", "severity", "code", "id", "message", "related".
nlohmann::json diagnostic_json(const diagnostica& d, const ingresso_controllo& in);

// {"diagnostics": [...], "errors": N, "warnings": N}
nlohmann::json check_json(const esito_controllo& e, const ingresso_controllo& in);

}  // namespace scenario
