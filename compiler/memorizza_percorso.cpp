#include "compiler/memorizza_percorso.h"

#include <string>

#include "compiler/binary_writers.h"
#include "compiler/memorizza_dati.h"
#include "compiler/placement_pass.h"
#include "compiler/slot_riservati.h"

namespace scenario {

esito_compilazione memorizza_percorso(modello_percorso& m, file_system& fs,
                                      const program_folder& cartella, std::int32_t j) {
  m.genera_linea = j;
  m.codice_errore = 0;
  for (elemento& e : m.elementi) e = elemento{};

  // Its outcome is not examined: whatever code the readers leave stays, and
  // the pass runs on the cells as they left them.
  memorizza_dati(m, fs, cartella);

  // The readers stopped before any "lunghezza percorso" created the cells:
  // nothing to place, stamp or write.
  if (!m.ha_celle()) return esito_compilazione::senza_modello;

  posiziona_marcatori(m);

  const esito_compilazione esito = timbra_slot_riservati(m);
  if (esito != esito_compilazione::completato) return esito;

  // The simulation and cell files are built before anything is written, so
  // that a name too long for the item table leaves no file of this run.
  const std::string sim = bytes_sim(m);
  const std::string celle_dat = bytes_celle_dat(m);
  if (m.genera_linea != 0) {
    fs.write_file(file_path(cartella, nome_file_linea_dat(m.nome_linea)), bytes_linea_dat(m));
  }
  fs.write_file(file_path(cartella, nome_file_sim(m.nome_linea, m.numero_treno)), sim);
  fs.write_file(file_path(cartella, nome_file_celle_dat(m.nome_linea, m.numero_treno)), celle_dat);
  return esito_compilazione::completato;
}

}  // namespace scenario
