// The driver's documents given beside the two texts (ingresso_controllo::
// altri_file: a timetable sheet, a slowdown order form) read and compared
// with the service file: each finding of compiler/documenti a warning of
// the same id at its place in the document, with a note at the service
// file's record it concerns.
#pragma once

#include <vector>

#include "compiler/check/controlla.h"
#include "compiler/check/diagnostica.h"
#include "compiler/compila.h"
#include "compiler/documenti/rilievi.h"

namespace scenario {

// From the compile step's own run `r` (with its sources), which must have
// recorded no fault: the documents are compared with a whole route.
void avvisi_documenti(const ingresso_controllo& in, const risultato_compilazione& r,
                      std::vector<diagnostica>& out);

// The finding as the checker's diagnostic, in the document `f`.
diagnostica diagnostica_rilievo(const rilievo& r, file_sorgente f);

}  // namespace scenario
