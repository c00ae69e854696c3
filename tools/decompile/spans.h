// Mountain and tunnel spans, recovered from the span type of every cell:
// each run of one type is a "montagna" record, with markers when the span's
// every fourth cell holds a tunnel marker (code 11) or an object placed
// over it later.
#pragma once

#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"

namespace scenario::decompile {

// `legge_oltre`: the files show that the reader read the line file to its
// end; spans that take more than 80 records then leave the last ones out
// rather than stop the reader.
std::vector<record_montagna> recover_spans(const std::vector<cella>& celle, bool legge_oltre,
                                           notes& n);

}  // namespace scenario::decompile
