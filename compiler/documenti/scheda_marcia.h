// The timetable sheet's figures from the running-time calculation: the
// passing time at each station the service file gives no time, and the
// train model's dwell, by which an arrival comes before its departure.
#pragma once

#include <cstdint>

#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/dati_documenti.h"
#include "compiler/documenti/scheda_treno.h"
#include "compiler/marcia/linea_marcia.h"
#include "compiler/marcia/marcia.h"
#include "compiler/marcia/modello_treno.h"

namespace scenario {

// The dwell at a stop as the documents give it: whole seconds.
std::int32_t sosta_documenti(const modello_treno& m);

// The sheet's options from a run of the train over `l`, the same route as
// `d`: the passing times of the stations without a time that the train
// reaches (none when no station has a time, for then the run has no clock)
// and the dwell.
opzioni_scheda opzioni_scheda_marcia(const dati_documenti& d, const linea_marcia& l,
                                     const esito_marcia& e, const modello_treno& m);

// The same, running the calculation.
opzioni_scheda opzioni_scheda_marcia(const dati_documenti& d, const linea_marcia& l,
                                     const modello_treno& m);

// The cross-check's options for documents made with model `m`.
opzioni_confronto opzioni_confronto_marcia(const modello_treno& m);

}  // namespace scenario
