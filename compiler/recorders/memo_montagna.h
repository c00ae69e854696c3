// Records one mountain/tunnel span: its type in every cell it covers and,
// for a type above 10, a marker (cell code 11) in every fourth empty cell.
#pragma once

#include <cstdint>

#include "compiler/recorders/scrittura.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// inizio, fine in metres. It refuses nothing. Throws errore_esecuzione for an
// 81st span or a cell outside the model.
void memo_montagna(scrittura& w, std::int32_t inizio, std::int32_t fine, std::int32_t tipo);

}  // namespace scenario
