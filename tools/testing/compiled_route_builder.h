// Test support: a small hand-made route model and its compiled files, so the
// decoders can be tested without running the readers.
#pragma once

#include <string>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/route_model.h"

namespace scenario::testing {

std::string encode_sim(const modello_percorso& m);
std::string encode_cells(const modello_percorso& m);
std::string encode_line(const modello_percorso& m);

// A small route: 3000 m of line, two curves, three stations, four signals,
// one slowdown, a speed board, an indication board, a tunnel.
modello_percorso sample_model();

// Writes the three files of `m` under the names of its route and train.
void write_route_files(file_system& fs, const program_folder& folder, const modello_percorso& m);

}  // namespace scenario::testing
