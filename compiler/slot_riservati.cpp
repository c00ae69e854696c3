#include "compiler/slot_riservati.h"

#include "compiler/competition_codes.h"

namespace scenario {

esito_compilazione timbra_slot_riservati(modello_percorso& m) {
  if (m.celle.size() <= cella_riservata) return esito_compilazione::senza_modello;
  elemento& testata = m.elementi[voce::testata_linea];
  cella& riservata = m.celle[cella_riservata];

  if (testata.dato_i1 != 0 || riservata.dato1 != 0) return esito_compilazione::errore_1250;
  testata.dato_i1 = marcatore_elemento;
  riservata.dato1 = marcatore_cella;

  if (testata.orario != 0 || riservata.dato2 != 0) return esito_compilazione::errore_1251;
  testata.orario = codice_gara_st(m);
  riservata.dato2 = codice_gara_og(m);
  return esito_compilazione::completato;
}

}  // namespace scenario
