#include "app/form1.h"

#include <exception>
#include <string>

#include "base/path_utf8.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario {

Form1::Form1(platform& piattaforma, file_system& fs) : piattaforma_(piattaforma), fs_(fs) {}

void Form1::Form_Load() {
  nome_linea = "Viterbo_Attigliano_Orte";
  numero_treno = "7547";
  piattaforma_.show_waiting_window();

  esito_compilazione esito = esito_compilazione::completato;
  try {
    const program_folder cartella{piattaforma_.program_folder(), piattaforma_.path_separator()};
    remove_stale_temporaries(cartella);
    dati_linea(fs_, cartella, nome_linea);
    dati_treno(fs_, cartella, nome_linea, numero_treno);
    dati_note(fs_, cartella, nome_linea, numero_treno);
    dati_rallentamenti(fs_, cartella, nome_linea, numero_treno);
    dati_scheda(fs_, cartella, nome_linea, numero_treno);

    modello = modello_percorso{};
    modello.nome_linea = nome_linea;
    modello.numero_treno = numero_treno;
    esito = memorizza_percorso(modello, fs_, cartella, 1);
  } catch (const file_error& e) {
    unexpected_failure("Errore imprevisto sul file " + path_utf8(e.file()) + ": " + e.reason());
  } catch (const std::exception& e) {
    unexpected_failure(std::string("Errore imprevisto: ") + e.what());
  }

  switch (esito) {
    case esito_compilazione::completato:
      break;
    case esito_compilazione::errore_1250:
    case esito_compilazione::errore_1251:
      errore(std::to_string(numero(codice_arresto(esito))));
    case esito_compilazione::senza_modello:
      // The readers stopped before any "lunghezza percorso" created the
      // route model, so there is nothing to place or write.
      unexpected_failure("Errore imprevisto: modello del percorso non creato (codice " +
                         std::to_string(modello.codice_errore) + ")");
  }
  piattaforma_.end_program(0);
}

void Form1::remove_stale_temporaries(const program_folder& cartella) {
  for (const std::string& nome : nomi_file_scenario(nome_linea, numero_treno)) {
    fs_.remove_stale_temporary(file_path(cartella, nome));
  }
}

void Form1::errore(const std::string& a) {
  piattaforma_.message_box(" Errore n. " + a);
  piattaforma_.end_program(1);
}

void Form1::unexpected_failure(const std::string& what) {
  piattaforma_.message_box(what);
  piattaforma_.end_program(2);
}

}  // namespace scenario
