// The service file reader: train figures and clock, the speed and adhesion
// of every cell, stations with their areas and timetable, "abbattimento"
// points, and the signals and slowdowns handed to their recorders; at its
// end it checks the kilometric series.
#pragma once

#include "compiler/readers/lettore.h"

namespace scenario {

// Reads the service file into l's model after the line description
// reader. Run-time failures outside a record throw errore_esecuzione.
void leggi_file_servizio(lettore& l);

}  // namespace scenario
