// The calculation's line from the route model and its sources, as the
// compile step (and the checker's run of it) gives them from the two texts:
// compile with the sources kept, or the curves are missing.
#pragma once

#include <string>

#include "compiler/compila.h"
#include "compiler/marcia/linea_marcia.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

linea_marcia linea_da_modello(const modello_percorso& m, const sorgenti_modello& s);

// The compile step's options for the calculation: the sources kept (the
// curves, the stations' records), no geometry laid, no binary file built.
opzioni_compilazione opzioni_compilazione_marcia(std::string nome_linea, std::string numero_treno);

}  // namespace scenario
