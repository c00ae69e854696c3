// The compile step on the program's folder: the thin adapter between the
// disk and `compila`. It reads the two description files named from the
// folder and the identifiers, deletes each as the readers would once read,
// and writes the three binary route files. It shows nothing.
#pragma once

#include <cstdint>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/compila.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// `m.nome_linea` and `m.numero_treno` must be set; `m` receives the route
// model with its error pair. j nonzero also builds and writes the line
// data file. A missing line file is code 101, a description file that
// cannot be read code 25. File failures of the deletes and writes throw
// file_error.
// Deletes each description file once its reader is done with it; the
// failure trap deletes whichever of the two still exists.
file_letto elimina_dopo_lettura(file_system& fs, std::filesystem::path linea,
                                std::filesystem::path servizio);

esito_compilazione memorizza_percorso(modello_percorso& m, file_system& fs,
                                      const program_folder& cartella, std::int32_t j);

}  // namespace scenario
