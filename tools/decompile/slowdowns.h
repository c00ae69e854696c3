// Temporary slowdowns, from their cells: the start (code 3) and end (code 2)
// cells with the speed, the flag f_tt and d_v; the warning board (code 4)
// 1200 m before the start, and the four approach cells (code 5) before it
// when f_ta is set.
#pragma once

#include <vector>

#include "compiler/recorders/memo_rallentamento.h"
#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"

namespace scenario::decompile {

std::vector<rallentamento> recover_slowdowns(const std::vector<cella>& celle, notes& n);

}  // namespace scenario::decompile
