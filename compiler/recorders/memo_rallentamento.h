// Records one temporary slowdown: its start (cell code 3) and end (code 2)
// cells, its warning board (code 4) 1200 m before the start and, on
// request, four approach cells (code 5) just before the warning board.
#pragma once

#include <cstdint>
#include <optional>

#include "compiler/recorders/rifiuto.h"
#include "compiler/recorders/scrittura.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// The record's six values in file order.
struct rallentamento {
  std::int32_t x = 0;  // start, metres
  std::int32_t v = 0;  // speed limit, km/h
  std::int32_t l = 0;  // length, metres
  std::int32_t f_tt = 0;
  std::int32_t f_ta = 0;  // nonzero: approach cells before the warning board
  std::int32_t d_v = 0;
};

// Refuses the slowdown at the first taken cell (codes 17 to 20; after a 20
// its start, end and warning cells stay written); nothing when it is
// recorded. Throws errore_esecuzione when a cell lies outside the model or
// x + l overflows.
std::optional<rifiuto> memo_rallentamento(scrittura& w, const rallentamento& r);

}  // namespace scenario
