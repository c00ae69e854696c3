#include "compiler/memorizza_dati.h"

#include "compiler/line_reader.h"
#include "compiler/reader_state.h"
#include "compiler/run_failure.h"
#include "compiler/service_reader.h"

namespace scenario {

namespace {

// The failure trap: code 25, both text files deleted if they still exist.
// A file that cannot be deleted here is beyond the trap and propagates.
void trappola(modello_percorso& m, file_system& fs, const std::filesystem::path& linea,
              const std::filesystem::path& servizio, const stato_lettori& s, std::int32_t riga) {
  m.codice_errore = 25;
  if (riga == 0 && s.lettore) riga = s.lettore->field_line();
  m.origine = {s.file, riga};
  if (fs.file_exists(linea)) fs.remove_file(linea);
  if (fs.file_exists(servizio)) fs.remove_file(servizio);
}

}  // namespace

void memorizza_dati(modello_percorso& m, file_system& fs, const program_folder& cartella) {
  m.elementi[voce::testata_linea].nome = m.nome_linea;
  m.elementi[voce::testata_corsa].nome = m.numero_treno;
  const auto linea = file_path(cartella, nome_file_linea_txt(m.nome_linea));
  const auto servizio = file_path(cartella, nome_file_servizio_txt(m.nome_linea, m.numero_treno));
  stato_lettori s;
  try {
    if (!leggi_file_linea(m, fs, linea, s)) return;
    leggi_file_servizio(m, fs, servizio, s);
  } catch (const run_failure& f) {
    trappola(m, fs, linea, servizio, s, f.riga());
  } catch (const file_error&) {
    // A file that cannot be read or deleted while reading.
    trappola(m, fs, linea, servizio, s, 0);
  }
}

}  // namespace scenario
