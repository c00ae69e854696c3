// Orders the three kilometric progressive series held in entries 81 (read
// as "tre"), 82 ("due") and 83 ("uno"): entry 81 gets the series with the
// greatest start, 83 the smallest; then every series in use (flag 1) gets
// 100 m added to its origin value.
#pragma once

#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

// Throws errore_esecuzione where a Long sum would overflow. The records of the
// three entries, when sources are kept, move with them.
void progressive_ordina(modello_percorso& m, sorgenti_modello* s = nullptr);

}  // namespace scenario
