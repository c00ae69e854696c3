// Signals, from their cells (code 1): the left and right kinds from the
// packed sum 3 sx + dx, the codes of both sides from tens and units, the
// opening delay from the fifth value. A signal nearer than 350 m to the
// origin stops the reader while it writes its approach marks; it comes
// back as the last record of the file.
#pragma once

#include <optional>
#include <vector>

#include "compiler/memo_segnale.h"
#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"

namespace scenario::decompile {

struct signal_recovery {
  std::vector<segnale> segnali;   // by position
  std::optional<segnale> ultimo;  // the one the reader stopped at
};

signal_recovery recover_signals(const std::vector<cella>& celle, notes& n);

}  // namespace scenario::decompile
