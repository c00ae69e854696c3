// The timetable's warnings: a station's time not after the previous one's,
// a section shorter than the train's fastest run over it, a time that is
// no time of day. Each at the time of the later station, with a note at
// the earlier one's.
#pragma once

#include <vector>

#include "compiler/check/contesto_check.h"
#include "compiler/check/diagnostica.h"
#include "compiler/compila.h"
#include "compiler/marcia/modello_treno.h"

namespace scenario {

// From the compile step's own run `r` (with its sources), which must have
// recorded no fault: the run is timed only on a whole route. `c` places the
// fields of `r`'s records.
void avvisi_orario(const risultato_compilazione& r, const contesto_check& c,
                   const modello_treno& treno, std::vector<diagnostica>& out);

}  // namespace scenario
