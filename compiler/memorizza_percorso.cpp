#include "compiler/memorizza_percorso.h"

#include <optional>
#include <string>
#include <utility>

#include "compiler/route_model/nomi_file.h"

namespace scenario {

namespace {

// A file's bytes; nothing when it does not exist. A file that exists but
// cannot be read is `illeggibile`.
std::optional<std::string> leggi(file_system& fs, const std::filesystem::path& file,
                                 bool& illeggibile) {
  illeggibile = false;
  if (!fs.file_exists(file)) return std::nullopt;
  try {
    return fs.read_file(file);
  } catch (const file_error&) {
    illeggibile = true;
    return std::nullopt;
  }
}

void elimina_se_c_e(file_system& fs, const std::filesystem::path& file) {
  if (fs.file_exists(file)) fs.remove_file(file);
}

}  // namespace

file_letto elimina_dopo_lettura(file_system& fs, std::filesystem::path linea,
                                std::filesystem::path servizio) {
  return [&fs, linea = std::move(linea), servizio = std::move(servizio)](file_sorgente f) {
    if (f == file_sorgente::linea) fs.remove_file(linea);
    if (f == file_sorgente::servizio) fs.remove_file(servizio);
    if (f == file_sorgente::nessuno) {
      elimina_se_c_e(fs, linea);
      elimina_se_c_e(fs, servizio);
    }
  };
}

esito_compilazione memorizza_percorso(modello_percorso& m, file_system& fs,
                                      const program_folder& cartella, std::int32_t j) {
  const auto linea = file_path(cartella, nome_file_linea_txt(m.nome_linea));
  const auto servizio = file_path(cartella, nome_file_servizio_txt(m.nome_linea, m.numero_treno));

  bool linea_illeggibile = false;
  bool servizio_illeggibile = false;
  const std::optional<std::string> testo_linea = leggi(fs, linea, linea_illeggibile);
  if (linea_illeggibile) {
    // A failure of the input routine: code 25, both files deleted.
    m.codice_errore = numero(codice::errore_lettura);
    elimina_se_c_e(fs, linea);
    elimina_se_c_e(fs, servizio);
    return esito_compilazione::senza_modello;
  }
  const std::optional<std::string> testo_servizio = leggi(fs, servizio, servizio_illeggibile);

  opzioni_compilazione o;
  o.nome_linea = m.nome_linea;
  o.numero_treno = m.numero_treno;
  o.j = j;
  o.letto = elimina_dopo_lettura(fs, linea, servizio);
  testi_scenario testi;
  if (testo_linea) testi.linea = *testo_linea;
  if (testo_servizio) testi.servizio = *testo_servizio;
  risultato_compilazione r = compila(testi, o);

  if (r.esito == esito_compilazione::completato) {
    // The geometry goes to the file piece by piece, never whole in memory.
    if (j != 0)
      fs.write_file(file_path(cartella, nome_file_linea_dat(m.nome_linea)), r.modello.tracciato);
    fs.write_file(file_path(cartella, nome_file_sim(m.nome_linea, m.numero_treno)), r.sim);
    fs.write_file(file_path(cartella, nome_file_celle_dat(m.nome_linea, m.numero_treno)),
                  r.celle_dat);
  }
  m = std::move(r.modello);
  return r.esito;
}

}  // namespace scenario
