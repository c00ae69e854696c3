// Records one signal (cell code 1) in the cell of its position, with its
// codes packed as tens and units, and its approach marks in the four cells
// 100 to 400 m before it.
#pragma once

#include <cstdint>
#include <optional>

#include "compiler/recorders/rifiuto.h"
#include "compiler/recorders/scrittura.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// The record's eleven values in file order.
struct segnale {
  std::int32_t posizione = 0;
  std::int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0;
  std::int32_t rapp = 0;
  std::int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
  std::int32_t tempo = 0;  // opening delay; 1 .. 100 count as 101
};

// Refuses the signal when its cell is taken (code 16); nothing when it is
// recorded. Throws errore_esecuzione when a cell it
// writes lies outside the model (a signal nearer than 325 m to the origin
// has no room for its marks).
std::optional<rifiuto> memo_segnale(scrittura& w, const segnale& s);

}  // namespace scenario
