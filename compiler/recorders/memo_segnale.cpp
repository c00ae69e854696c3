#include "compiler/recorders/memo_segnale.h"

#include "compiler/format/codifica_celle.h"
#include "compiler/recorders/accesso_modello.h"

namespace scenario {

std::optional<rifiuto> memo_segnale(scrittura& w, const segnale& s) {
  const std::int64_t i = cella_oggetto(s.posizione);
  if (!cella_libera(w.leggi(i))) return rifiuto{codice::segnale_cella_occupata, i};
  const std::int64_t lati = somma_lati(s.sx, s.dx);
  cella& c = w.oggetto(i);
  c.tipo = tipo_cella::segnale;
  c.dato4 = dato_lati(s.rapp, lati);
  c.dato1 = impacca_decine(s.s1, s.d1);
  c.dato2 = impacca_decine(s.s2, s.d2);
  c.dato3 = impacca_decine(s.s3, s.d3);
  c.dato5 = tempo_in_cella(s.sx, s.tempo);
  // Approach marks 100, 200, 300 and 400 m before the signal, whatever
  // the cells hold.
  for (std::int64_t ripetizione = 1; ripetizione <= n_segni_segnale; ++ripetizione) {
    w.segno(i - passo_segni_segnale * ripetizione, segno_segnale(lati, ripetizione));
  }
  return std::nullopt;
}

}  // namespace scenario
