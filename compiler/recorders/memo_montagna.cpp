#include "compiler/recorders/memo_montagna.h"

#include "compiler/format/arrotondamento.h"
#include "compiler/readers/errore_esecuzione.h"
#include "compiler/recorders/accesso_modello.h"

namespace scenario {

void memo_montagna(scrittura& w, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
  modello_percorso& m = w.modello();
  bool con_marcatori = false;
  if (tipo > scarto_marcatori_montagna) {
    tipo -= scarto_marcatori_montagna;
    con_marcatori = true;
  }
  m.n_montagne += 1;
  const std::int32_t n = m.n_montagne;
  if (n < 0 || n > n_montagne_massimo) {
    throw errore_esecuzione(motivo_guasto::troppe_montagne, "more than 80 mountain spans");
  }
  m.montagne_inizio[static_cast<std::size_t>(n)] = inizio;
  m.montagne_fine[static_cast<std::size_t>(n)] = fine;
  if (sorgenti_modello* s = w.sorgenti()) s->montagne[static_cast<std::size_t>(n)] = w.record();
  if (n > 1 && long_di(std::int64_t{m.montagne_inizio[static_cast<std::size_t>(n)]} -
                       m.montagne_fine[static_cast<std::size_t>(n - 1)]) <= distanza_tipo_3) {
    tipo = tipo_montagna_ravvicinata;
  }
  const std::int64_t primo = cella_profilo(inizio);
  const std::int64_t ultimo = R(in_celle(fine) - 1);
  std::int64_t indice = 0;  // counts the span's cells from 1
  for (std::int64_t i = primo; i <= ultimo; ++i) {
    ++indice;
    w.montagna(i, bassi_8(tipo));
    // Every fourth cell of a span with markers, where it is empty.
    if (con_marcatori && indice % passo_marcatori_montagna == 0 &&
        w.leggi(i).tipo == tipo_cella::libera) {
      w.oggetto(i).tipo = tipo_cella::marcatore_montagna;
    }
  }
}

}  // namespace scenario
