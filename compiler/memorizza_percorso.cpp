#include "compiler/memorizza_percorso.h"

#include "compiler/memorizza_dati.h"

namespace scenario {

esito_compilazione memorizza_percorso(modello_percorso& m, file_system& fs,
                                      const program_folder& cartella, std::int32_t j) {
  // Placeholder until the placement pass and the binary writers land.
  m.genera_linea = j;
  m.codice_errore = 0;
  for (auto& e : m.elementi) e = elemento{};
  memorizza_dati(m, fs, cartella);
  if (!m.ha_celle()) return esito_compilazione::senza_modello;
  return esito_compilazione::completato;
}

}  // namespace scenario
