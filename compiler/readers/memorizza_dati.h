// The two readers: the line description text, then the service text, read
// field by field into the route model. The outcome is the state of the
// model and its error pair; nothing is shown to anyone.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "compiler/guasti.h"
#include "compiler/readers/lettore.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

// The two description files' bytes; nullopt for a file that is missing or
// cannot be read.
struct testi_scenario {
  std::optional<std::string_view> linea;
  std::optional<std::string_view> servizio;
};

// Called when a reader is done with its file (linea, servizio), and by the
// failure trap (nessuno: both files). The program deletes the files there;
// a file_error thrown by it is a failure of the reading (code 25), and one
// thrown from the trap leaves the compile step.
using file_letto = std::function<void(file_sorgente)>;

struct opzioni_lettura {
  modo_lettura modo = modo_lettura::esatto;
  bool posa_geometria = true;  // false: the geometry is followed, not laid
  file_letto letto;
};

struct esito_lettura {
  bool servizio_letto = false;  // the service reader ran
  // Recovery mode only: the line file gave no route model, so the service
  // file was read against a stand-in line of the largest length.
  bool servizio_senza_linea = false;
};

// Reads the two texts into `m` (whose identifiers, `genera_linea` and
// cleared `elementi` the caller has set). A missing line text is code 101;
// any run-time failure is code 25 (the trap). Returns normally in every
// case. `s` and `traccia`, when given, receive the sources and the faults.
esito_lettura memorizza_dati(modello_percorso& m, const testi_scenario& testi,
                             const opzioni_lettura& o = {}, sorgenti_modello* s = nullptr,
                             traccia_lettura* traccia = nullptr);

}  // namespace scenario
