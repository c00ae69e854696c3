// Cells of code 12 (a marker with a value) and 13 (a marker without one):
// the placement pass puts code 12 with the value 180 around signals and
// slowdowns, an "abbattimento" record puts either anywhere. They are told
// apart by running the compiler's placement pass on the cells without them
// and keeping as "abbattimento" records the markers it does not put there,
// until the pass, run with those records, gives every such cell back.
#pragma once

#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"

namespace scenario::decompile {

std::vector<record_abbattimento> recover_abbattimenti(const std::vector<cella>& celle, notes& n);

}  // namespace scenario::decompile
