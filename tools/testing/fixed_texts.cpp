#include "tools/testing/fixed_texts.h"

#include "base/memory_file_system.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario::testing {

scenario_texts fixed_texts() {
  const std::string route = "Viterbo_Attigliano_Orte";
  const std::string train = "7547";
  memory_file_system mem;
  const program_folder f{"/w", '/'};
  dati_linea(mem, f, route);
  dati_treno(mem, f, route, train);
  return {mem.files.at("/w/" + nome_file_linea_txt(route)),
          mem.files.at("/w/" + nome_file_servizio_txt(route, train))};
}

}  // namespace scenario::testing
