// The line description reader: route size, kilometric progressive series,
// header values, the grade of every cell, indication boards, the plan
// geometry, and the mountain spans and speed boards handed to their
// recorders. It deletes the file when done with it.
#pragma once

#include <filesystem>

#include "base/file_system.h"
#include "compiler/reader_state.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// Reads `file` into `m`. Returns true when the service file is to be read
// next (normal end, or a record that did not fit: code 15), false when it
// stopped with a code of its own. Read failures, accesses outside the model
// and Long overflows throw run_failure; file failures throw file_error.
bool leggi_file_linea(modello_percorso& m, file_system& fs, const std::filesystem::path& file,
                      stato_lettori& s);

}  // namespace scenario
