// The compile step as a function of bytes: the two description texts in,
// the route model, its error pair, the outcome, every fault with where it
// stands, and the three binary files' bytes out. The program, route_tool,
// the checker, the fuzzers and the tests all compile through it; nothing
// here touches a disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/guasti.h"
#include "compiler/readers/memorizza_dati.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

enum class esito_compilazione {
  completato,     // the binary files are built; the error pair tells of data faults
  errore_1250,    // a reserved marker slot was taken: no binary file
  errore_1251,    // a reserved code slot was taken: no binary file
  senza_modello,  // the readers stopped before any "lunghezza percorso": nothing built
};

// The code of an outcome that stops the compile step (1250, 1251);
// codice::nessuno for the others.
constexpr codice codice_arresto(esito_compilazione e) {
  switch (e) {
    case esito_compilazione::errore_1250:
      return codice::slot_marcatori_occupato;
    case esito_compilazione::errore_1251:
      return codice::slot_codici_occupato;
    default:
      return codice::nessuno;
  }
}

struct opzioni_compilazione {
  std::string nome_linea;
  std::string numero_treno;
  // esatto: the compile step as the format has it. recupero: the checker's
  // reading, which sets each faulty record aside and reads on, notes every
  // keyword field, and stops after the reading when the line file gave no
  // route model (the service file is then read against a stand-in line).
  modo_lettura modo = modo_lettura::esatto;
  std::int32_t j = 1;          // nonzero: build the plan geometry and the line data file
  bool sorgenti = false;       // keep where everything came from
  bool posa_geometria = true;  // false: follow the geometry without laying it (no line data)
  bool file_binari = true;     // build the three files' bytes
  file_letto letto;            // told when a reader is done with a file
};

struct risultato_compilazione {
  esito_compilazione esito = esito_compilazione::senza_modello;
  modello_percorso modello;   // with the error pair
  sorgenti_modello sorgenti;  // filled when asked for
  traccia_lettura traccia;    // every fault recorded, in the order found
  esito_lettura lettura;      // which texts the readers consumed
  // The simulation and cell data files (empty unless completato and asked
  // for). The line data file is the geometry itself (modello.tracciato, a
  // file_content made piece by piece as it is written), or linea_dat() in
  // one buffer; empty with j = 0 or without a geometry.
  std::string sim;
  std::string celle_dat;
  std::string_view linea_dat() { return modello.tracciato.byte(); }
};

// Clears the item table, reads both texts, runs the placement pass, checks
// and stamps the reserved slots and builds the files (in either mode: the
// checker asks for none). Throws
// std::length_error for a name too long for the simulation file.
risultato_compilazione compila(const testi_scenario& testi, const opzioni_compilazione& o);

}  // namespace scenario
