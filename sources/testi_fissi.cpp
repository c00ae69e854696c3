#include "sources/testi_fissi.h"

#include "base/memory_file_system.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario {

fixed_scenario_texts fixed_texts() {
  const std::string linea = "Viterbo_Attigliano_Orte";
  const std::string treno = "7547";
  memory_file_system mem;
  const program_folder cartella{"/w", '/'};
  dati_linea(mem, cartella, linea);
  dati_treno(mem, cartella, linea, treno);
  return {mem.read_file(file_path(cartella, nome_file_linea_txt(linea))),
          mem.read_file(file_path(cartella, nome_file_servizio_txt(linea, treno)))};
}

fixed_scenario_texts fixed_texts_on_time() {
  fixed_scenario_texts t = fixed_texts();
  const std::string written = "14, 9, 0, Sipicciano S. Nicola";
  t.service.replace(t.service.find(written), written.size(), "14,18, 0, Sipicciano S. Nicola");
  return t;
}

fixed_scenario_documents fixed_documents() {
  const std::string linea = "Viterbo_Attigliano_Orte";
  const std::string treno = "7547";
  memory_file_system mem;
  const program_folder cartella{"/w", '/'};
  dati_scheda(mem, cartella, linea, treno);
  dati_rallentamenti(mem, cartella, linea, treno);
  return {mem.read_file(file_path(cartella, nome_file_scheda(linea, treno))),
          mem.read_file(file_path(cartella, nome_file_rallentamenti(linea, treno)))};
}

}  // namespace scenario
