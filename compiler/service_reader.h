// The service file reader: train figures and clock, the speed and adhesion
// of every cell, stations with their areas and timetable, "abbattimento"
// points, and the signals and slowdowns handed to their recorders. It
// deletes the file when done with it, then checks the kilometric series.
#pragma once

#include <filesystem>

#include "base/file_system.h"
#include "compiler/reader_state.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// Reads `file` into `m` after the line description reader. Read failures
// (a missing file included), accesses outside the model and Long overflows
// throw run_failure; file failures throw file_error.
void leggi_file_servizio(modello_percorso& m, file_system& fs, const std::filesystem::path& file,
                         stato_lettori& s);

}  // namespace scenario
