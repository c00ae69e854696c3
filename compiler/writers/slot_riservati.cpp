#include "compiler/writers/slot_riservati.h"

#include "compiler/route_model/voci.h"
#include "compiler/writers/codici_gara.h"

namespace scenario {

esito_compilazione timbra_slot_riservati(modello_percorso& m) {
  if (m.celle.size() <= cella_riservata) return esito_compilazione::senza_modello;
  cella& riservata = m.celle[cella_riservata];

  if (marcatore_testata(m.elementi) != 0 || riservata.dato1 != 0) {
    return esito_compilazione::errore_1250;
  }
  marcatore_testata(m.elementi) = marcatore_elemento;
  riservata.dato1 = marcatore_cella;

  if (codice_gara_st_di(m.elementi) != 0 || riservata.dato2 != 0) {
    return esito_compilazione::errore_1251;
  }
  codice_gara_st_di(m.elementi) = codice_gara_st(m);
  riservata.dato2 = codice_gara_og(m);
  return esito_compilazione::completato;
}

}  // namespace scenario
