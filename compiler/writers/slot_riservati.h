// The reserved header slots: two marker values and the two competition
// codes, stamped into entry 85 of the item table and into cell 1. A slot
// that is already taken means the model was built wrongly, and the compile
// step must not write any file.
#pragma once

#include "compiler/compila.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// Checks the marker slots (taken: errore_1250), stamps the markers, checks
// the code slots (taken: errore_1251), then stamps `codice_gara_st` into
// `orario` of entry 85 and `codice_gara_og` into `dato2` of cell 1 and
// returns completato. After a 1251 the markers stay stamped; nothing is
// written from such a model. A model with fewer than two cells has no
// reserved cell: senza_modello, nothing stamped.
esito_compilazione timbra_slot_riservati(modello_percorso& m);

}  // namespace scenario
