#include "tools/route_files/compiled_route.h"

#include "compiler/route_model/nomi_file.h"
#include "tools/route_files/cell_file.h"
#include "tools/route_files/decode_error.h"
#include "tools/route_files/sim_file.h"

namespace scenario {

std::optional<std::size_t> celle_attese(std::int32_t lunghezza) {
  if (lunghezza < 0 || lunghezza > lunghezza_percorso_massima) return std::nullopt;
  return static_cast<std::size_t>(n_celle_di(lunghezza_tracciato_di(lunghezza))) + 1;
}

std::optional<std::size_t> punti_attesi(std::int32_t lunghezza) {
  if (lunghezza < 0 || lunghezza > lunghezza_percorso_massima) return std::nullopt;
  return static_cast<std::size_t>(lunghezza_tracciato_di(lunghezza)) + 1;
}

namespace {

std::string read_or_throw(file_system& fs, const std::filesystem::path& path) {
  const std::string name = path.string();
  if (!fs.file_exists(path)) throw decode_error(name, std::nullopt, "file not found");
  try {
    return fs.read_file(path);
  } catch (const file_error& e) {
    throw decode_error(name, std::nullopt, "cannot be read: " + e.reason());
  }
}

}  // namespace

compiled_route load_compiled_route(file_system& fs, const program_folder& folder,
                                   const std::string& nome_linea, const std::string& numero_treno,
                                   field_sink* sink) {
  compiled_route r;
  const auto sim_path = file_path(folder, nome_file_sim(nome_linea, numero_treno));
  const auto cell_path = file_path(folder, nome_file_celle_dat(nome_linea, numero_treno));
  const auto line_path = file_path(folder, nome_file_linea_dat(nome_linea));
  r.sim_file = sim_path.string();
  r.cell_file = cell_path.string();
  r.line_file = line_path.string();

  // Read all three first, so a missing file is reported before any content.
  const std::string sim = read_or_throw(fs, sim_path);
  const std::string cells = read_or_throw(fs, cell_path);
  const std::string line = read_or_throw(fs, line_path);
  r.sim_bytes = sim.size();
  r.cell_bytes = cells.size();
  r.line_bytes = line.size();

  r.elementi = decode_sim_file(sim, r.sim_file, sink);
  const std::int32_t lunghezza = r.lunghezza_percorso();

  r.celle = decode_cell_file(cells, r.cell_file, sink);
  if (const auto attese = celle_attese(lunghezza); attese && r.celle.size() != *attese) {
    const std::size_t at = std::min(cells.size(), *attese * dimensione_cella);
    throw decode_error(
        r.cell_file, at,
        "the file holds " + std::to_string(r.celle.size()) + " cells, the line length " +
            std::to_string(lunghezza) + " m (simulation file, entry 84) calls for " +
            std::to_string(*attese) +
            (r.celle.size() < *attese ? ": the file is truncated" : ": the file is oversized"));
  }

  r.tracciato = decode_line_data_file(line, r.line_file, punti_attesi(lunghezza), sink);
  return r;
}

}  // namespace scenario
