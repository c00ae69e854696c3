// The three compiled route files of one route and train, read from a folder
// and checked against each other: the line length in the simulation file
// fixes how many cells and geometry points the other two must hold.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/route_model.h"
#include "tools/route_files/field_sink.h"
#include "tools/route_files/line_data_file.h"

namespace scenario {

struct compiled_route {
  std::string sim_file;  // full names, for messages
  std::string cell_file;
  std::string line_file;
  std::size_t sim_bytes = 0;
  std::size_t cell_bytes = 0;
  std::size_t line_bytes = 0;

  std::array<elemento, n_elementi> elementi{};
  std::vector<cella> celle;
  geometria tracciato;

  // "lunghezza percorso" as the simulation file records it (entry 84).
  std::int32_t lunghezza_percorso() const { return elementi[voce::treno_e_linea].fine; }
};

// Cells and points per column that a line of `lunghezza` metres compiles to;
// empty when the length is outside 0 .. 1000000.
std::optional<std::size_t> celle_attese(std::int32_t lunghezza);
std::optional<std::size_t> punti_attesi(std::int32_t lunghezza);

// Reads and checks the simulation file, the cell data file and the line data
// file, in that order; the sink, if any, sees every field of the three.
// Throws decode_error (a missing file included).
compiled_route load_compiled_route(file_system& fs, const program_folder& folder,
                                   const std::string& nome_linea, const std::string& numero_treno,
                                   field_sink* sink = nullptr);

}  // namespace scenario
