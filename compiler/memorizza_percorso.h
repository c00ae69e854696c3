// The compile step: clear the item table, read both description files,
// run the placement pass, stamp the reserved slots and write the three
// binary route files. A library call: it shows nothing and holds no state
// besides the model it is given.
#pragma once

#include <cstdint>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

enum class esito_compilazione {
  completato,     // the binary files are written; the error pair tells of data faults
  errore_1250,    // a reserved marker slot was taken: no binary file written
  errore_1251,    // a reserved code slot was taken: no binary file written
  senza_modello,  // the readers stopped before any "lunghezza percorso": nothing written
};

// `m.nome_linea` and `m.numero_treno` must be set. j nonzero also builds and
// writes the line data file. File failures throw file_error.
esito_compilazione memorizza_percorso(modello_percorso& m, file_system& fs,
                                      const program_folder& cartella, std::int32_t j);

}  // namespace scenario
