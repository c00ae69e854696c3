// The curves of the line, recovered from the plan geometry: every point
// from 2 on is either a straight step or a curve step of one class and side
// from the two points before it. The class and side of each step are read
// from the turn of the step; runs of one class become "curva" records.
// Whether the recovered curves give every point back bit for bit is decided
// by compiling them.
#pragma once

#include <optional>
#include <vector>

#include "compiler/format/file_binari.h"
#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"

namespace scenario::decompile {

struct geometry_recovery {
  // Where the line reader stopped, as the geometry shows it: points 0 and 1
  // never seeded, or points left empty before the last two.
  interruzione interrotta = interruzione::nessuna;
  std::vector<record_curva> curve;
  // Where the last curve lays the last point: that curve run on past it,
  // which lays the same points and then stops the reader (code 25). The
  // geometry cannot tell the two apart; what the reader did after it can.
  std::optional<record_curva> oltre_l_ultimo;
};

geometry_recovery recover_curves(const geometria& g, notes& n);

}  // namespace scenario::decompile
