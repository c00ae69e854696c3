// Records one speed indicator board (cell code 6) in the cell of its
// position: per category the left-hand speed times 20 plus the right-hand
// speed divided by 5, and the stripe counts as tens and units.
#pragma once

#include <cstdint>
#include <optional>

#include "compiler/recorders/rifiuto.h"
#include "compiler/recorders/scrittura.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// The record's nine values in file order; speeds in km/h.
struct indicatore_v_max {
  std::int32_t posizione = 0;
  std::int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  std::int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// Refuses the board when its cell is taken (code 21); nothing when it is
// recorded. Throws errore_esecuzione when its cell lies
// outside the model.
std::optional<rifiuto> memo_indicatori_v_max(scrittura& w, const indicatore_v_max& b);

}  // namespace scenario
