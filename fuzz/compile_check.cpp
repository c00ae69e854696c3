#include "fuzz/compile_check.h"

#include <array>
#include <exception>
#include <variant>

#include "base/memory_file_system.h"
#include "base/program_folder.h"

namespace scenario {

namespace {

constexpr std::string_view route_name = "Viterbo_Attigliano_Orte";
constexpr std::string_view train_number = "7547";

// Bytes of one element of the line data file: a 2-byte tag, then 0, 2 or 8.
std::size_t variant_size(const variante& v) {
  if (std::holds_alternative<std::int16_t>(v)) return 2 + 2;
  if (std::holds_alternative<double>(v)) return 2 + 8;
  return 2;
}

std::string describe(const compile_check_result& r) {
  return " (outcome " + std::to_string(static_cast<int>(r.esito)) + ", code " +
         std::to_string(r.codice_errore) + ")";
}

// Checks the three binary files of a completed run against the model.
std::string check_binaries(memory_file_system& fs, const program_folder& folder,
                           const modello_percorso& m) {
  const std::string cells_name =
      file_path(folder, nome_file_celle_dat(route_name, train_number)).generic_string();
  const std::string sim_name =
      file_path(folder, nome_file_sim(route_name, train_number)).generic_string();
  const std::string line_name = file_path(folder, nome_file_linea_dat(route_name)).generic_string();
  if (!fs.files.count(cells_name)) return "cell data file not written";
  if (!fs.files.count(sim_name)) return "simulation file not written";
  if (!fs.files.count(line_name)) return "line data file not written";

  if (m.n_celle < 0 || m.celle.size() != static_cast<std::size_t>(m.n_celle) + 1)
    return "cell array does not hold n_celle + 1 cells";
  if (fs.files[cells_name].size() != dimensione_cella * m.celle.size())
    return "cell data file size " + std::to_string(fs.files[cells_name].size()) + " != 15 x " +
           std::to_string(m.celle.size());

  std::size_t sim = std::size_t{n_elementi} * dimensione_elemento_senza_nome;
  for (const elemento& e : m.elementi) sim += e.nome.size();
  if (fs.files[sim_name].size() != sim)
    return "simulation file size " + std::to_string(fs.files[sim_name].size()) +
           " != " + std::to_string(sim);

  if (m.lunghezza_tracciato < 0 ||
      m.tracciato.size() != 2 * (static_cast<std::size_t>(m.lunghezza_tracciato) + 1))
    return "geometry does not hold 2 x (lunghezza_tracciato + 1) elements";
  std::size_t line = 0;
  for (const variante& v : m.tracciato) line += variant_size(v);
  if (fs.files[line_name].size() != line)
    return "line data file size " + std::to_string(fs.files[line_name].size()) +
           " != the model's " + std::to_string(line);
  // A clean run lays every point from 2 to the third last as a Double.
  if (m.codice_errore == 0 && m.lunghezza_tracciato >= 3) {
    const std::size_t bound =
        2 * (2 * 4 + (static_cast<std::size_t>(m.lunghezza_tracciato) - 3) * 10 + 2 * 2);
    if (line != bound)
      return "line data file size " + std::to_string(line) + " != the bound's " +
             std::to_string(bound);
  }
  return {};
}

}  // namespace

bool is_known_code(std::int32_t code) {
  static constexpr std::array<std::int32_t, 27> codes = {0,  1,  2,  3,  4,  5,  6,   7,   8,
                                                         9,  10, 11, 12, 13, 15, 16,  17,  18,
                                                         19, 20, 21, 22, 24, 25, 101, 102, 103};
  for (std::int32_t c : codes)
    if (c == code) return true;
  return false;
}

compile_check_result check_compile(std::string_view line_file,
                                   std::optional<std::string_view> service_file) {
  memory_file_system fs;
  const program_folder folder{"/fuzz", '/'};
  const auto line_txt = file_path(folder, nome_file_linea_txt(route_name));
  const auto service_txt = file_path(folder, nome_file_servizio_txt(route_name, train_number));
  fs.write_file(line_txt, line_file);
  if (service_file) fs.write_file(service_txt, *service_file);

  modello_percorso m;
  m.nome_linea = std::string(route_name);
  m.numero_treno = std::string(train_number);
  compile_check_result r;
  try {
    r.esito = memorizza_percorso(m, fs, folder, 1);
  } catch (const std::exception& e) {
    r.problem = std::string("exception escaped the compile step: ") + e.what();
    return r;
  }
  r.codice_errore = m.codice_errore;
  r.posizione_errore = m.posizione_errore;

  if (!is_known_code(m.codice_errore)) {
    r.problem = "unknown error code" + describe(r);
    return r;
  }
  if (fs.file_exists(line_txt)) {
    r.problem = "line description file left behind" + describe(r);
    return r;
  }
  if (m.codice_errore == 0 && fs.file_exists(service_txt)) {
    r.problem = "service file left behind" + describe(r);
    return r;
  }

  std::size_t binaries = 0;
  for (const auto& [name, bytes] : fs.files) {
    (void)bytes;
    if (name.size() > 4 && (name.ends_with(".dat") || name.ends_with(".sim"))) ++binaries;
  }
  switch (r.esito) {
    case esito_compilazione::completato:
      r.problem = check_binaries(fs, folder, m);
      if (!r.problem.empty()) r.problem += describe(r);
      break;
    case esito_compilazione::errore_1250:
    case esito_compilazione::errore_1251:
    case esito_compilazione::senza_modello:
      if (binaries != 0) r.problem = "binary file written after a fatal outcome" + describe(r);
      break;
    default:
      r.problem = "unknown outcome" + describe(r);
  }
  return r;
}

compile_check_result check_compile_input(std::string_view input) {
  const std::size_t nul = input.find('\0');
  if (nul == std::string_view::npos) return check_compile(input, std::nullopt);
  return check_compile(input.substr(0, nul), input.substr(nul + 1));
}

}  // namespace scenario
