// The two readers: the line description file, then the service file, read
// field by field into the route model and deleted once read. The outcome is
// the state of the model and its error pair; nothing is shown to anyone.
#pragma once

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// Reads `nome_linea`_linea.txt and then `nome_linea`_`numero_treno`-.txt
// from `cartella` into `m` (whose identifiers, `genera_linea` and cleared
// `elementi` the caller has set). Returns normally in every case.
void memorizza_dati(modello_percorso& m, file_system& fs, const program_folder& cartella);

}  // namespace scenario
