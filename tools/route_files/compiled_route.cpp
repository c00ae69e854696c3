#include "tools/route_files/compiled_route.h"

#include "compiler/format/errore_decodifica.h"
#include "compiler/route_model/nomi_file.h"

namespace scenario {

namespace {

std::string read_or_throw(file_system& fs, const std::filesystem::path& path) {
  const std::string name = path.string();
  if (!fs.file_exists(path)) throw errore_decodifica(name, std::nullopt, "file not found");
  try {
    return fs.read_file(path);
  } catch (const file_error& e) {
    throw errore_decodifica(name, std::nullopt, "cannot be read: " + e.reason());
  }
}

}  // namespace

compiled_route decode_compiled_route(const compiled_bytes& files, osservatore_campi* observer) {
  compiled_route r;
  r.sim_file = files.sim_file;
  r.cell_file = files.cell_file;
  r.line_file = files.line_file;
  r.sim_bytes = files.sim.size();
  r.cell_bytes = files.cells.size();
  r.line_bytes = files.line.size();

  r.elementi = decodifica_sim(files.sim, r.sim_file, observer);
  const std::int32_t lunghezza = r.lunghezza_percorso();

  r.celle = decodifica_celle_dat(files.cells, r.cell_file, observer);
  if (const auto attese = celle_attese(lunghezza); attese && r.celle.size() != *attese) {
    const std::size_t at = std::min(files.cells.size(), *attese * dimensione_cella);
    throw errore_decodifica(
        r.cell_file, at,
        "the file holds " + std::to_string(r.celle.size()) + " cells, the line length " +
            std::to_string(lunghezza) + " m (simulation file, entry 84) calls for " +
            std::to_string(*attese) +
            (r.celle.size() < *attese ? ": the file is truncated" : ": the file is oversized"));
  }

  r.tracciato = decodifica_linea_dat(files.line, r.line_file, punti_attesi(lunghezza), observer);
  return r;
}

compiled_route load_compiled_route(file_system& fs, const program_folder& folder,
                                   const std::string& nome_linea, const std::string& numero_treno,
                                   osservatore_campi* observer) {
  const auto sim_path = file_path(folder, nome_file_sim(nome_linea, numero_treno));
  const auto cell_path = file_path(folder, nome_file_celle_dat(nome_linea, numero_treno));
  const auto line_path = file_path(folder, nome_file_linea_dat(nome_linea));
  // Read all three first, so a missing file is reported before any content.
  const std::string sim = read_or_throw(fs, sim_path);
  const std::string cells = read_or_throw(fs, cell_path);
  const std::string line = read_or_throw(fs, line_path);
  return decode_compiled_route(
      {sim, cells, line, sim_path.string(), cell_path.string(), line_path.string()}, observer);
}

}  // namespace scenario
