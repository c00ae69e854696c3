// The three compiled route files of one route and train, decoded and checked
// against each other: the line length in the simulation file fixes how many
// cells and geometry points the other two must hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/format/file_binari.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

struct compiled_route {
  std::string sim_file;  // names, for messages
  std::string cell_file;
  std::string line_file;
  std::size_t sim_bytes = 0;
  std::size_t cell_bytes = 0;
  std::size_t line_bytes = 0;

  tabella_elementi elementi{};
  std::vector<cella> celle;
  geometria tracciato;

  // "lunghezza percorso" as the simulation file records it (entry 84).
  std::int32_t lunghezza_percorso() const { return elementi[voce::treno_e_linea].fine; }
};

// The three files' bytes and the names messages give them.
struct compiled_bytes {
  std::string_view sim, cells, line;
  std::string sim_file, cell_file, line_file;
};

// Decodes and checks the simulation file, the cell data file and the line
// data file, in that order; the observer, if any, sees every field of the
// three. Throws errore_decodifica.
compiled_route decode_compiled_route(const compiled_bytes& files,
                                     osservatore_campi* observer = nullptr);

// The same, from the files of a route and train in a folder; a missing file
// is an errore_decodifica without an offset.
compiled_route load_compiled_route(file_system& fs, const program_folder& folder,
                                   const std::string& nome_linea, const std::string& numero_treno,
                                   osservatore_campi* observer = nullptr);

}  // namespace scenario
