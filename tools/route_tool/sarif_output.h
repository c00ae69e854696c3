// check's diagnostics as a SARIF 2.1.0 log, the format code hosts and
// editors read static checkers' results in: one run of route_tool whose
// rules are the whole table of diagnostics, one result per diagnostic with
// its place, its notes as related locations and its fixes as replacements.
#pragma once

#include <nlohmann/json.hpp>

#include "compiler/check/controlla.h"

namespace scenario {

// `in` names the files and gives their texts; `version` is route_tool's.
nlohmann::ordered_json check_sarif(const esito_controllo& e, const ingresso_controllo& in,
                                   const std::string& version);

}  // namespace scenario
