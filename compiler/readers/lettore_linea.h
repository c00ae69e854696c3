// The line description reader: route size, kilometric progressive series,
// header values, the grade of every cell, indication boards, the plan
// geometry, and the mountain spans and speed boards handed to their
// recorders.
#pragma once

#include "compiler/readers/lettore.h"

namespace scenario {

// Reads the line description file into l's model. Returns continua when
// the service file is to be read next (normal end, or a record that did
// not fit: code 15), ferma when it stopped with a code of its own.
// `posa_geometria` false keeps the reading exactly as it is but lays no
// point (the checker): only the point count is followed. Run-time failures
// outside a record throw errore_esecuzione.
seguito leggi_file_linea(lettore& l, bool posa_geometria);

}  // namespace scenario
