// The calculation's line from what the route model and the compiled files
// share: the cells, the item table and the curves as laid in the geometry.
// Both adapters build through here, so they agree wherever their inputs do.
#pragma once

#include <vector>

#include "compiler/marcia/linea_marcia.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

// `n_stazioni`: the stations in slots 1 .. n_stazioni of the item table;
// `curve`: the curves as the geometry lays them (their records are not read).
linea_marcia linea_da_celle(const std::vector<cella>& celle, const tabella_elementi& elementi,
                            int n_stazioni, const std::vector<curva_posata>& curve);

}  // namespace scenario
