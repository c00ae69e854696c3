#include "tools/decompile/round_trip.h"

#include "base/memory_file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario::decompile::testing {

writers_texts fixed_scenario_texts() {
  constexpr const char* linea = "Viterbo_Attigliano_Orte";
  constexpr const char* treno = "7547";
  memory_file_system fs;
  const program_folder cartella{"/s", '/'};
  dati_linea(fs, cartella, linea);
  dati_treno(fs, cartella, linea, treno);
  return {fs.read_file(file_path(cartella, nome_file_linea_txt(linea))),
          fs.read_file(file_path(cartella, nome_file_servizio_txt(linea, treno)))};
}

round_trip run_round_trip(std::string_view line_text, std::optional<std::string_view> service_text,
                          const std::string& nome_linea, const std::string& numero_treno) {
  round_trip r;
  r.first = compile_texts(line_text, service_text, nome_linea, numero_treno);
  if (r.first.esito != esito_compilazione::completato) return r;
  r.decompiled = decompile_route(decode_compiled_texts(r.first, nome_linea, numero_treno),
                                 nome_linea, numero_treno);
  r.second =
      compile_texts(r.decompiled->line_text, r.decompiled->service_text, nome_linea, numero_treno);
  return r;
}

}  // namespace scenario::decompile::testing
