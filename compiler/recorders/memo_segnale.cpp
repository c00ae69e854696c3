#include "compiler/recorders/memo_segnale.h"

#include "compiler/recorders/accesso_modello.h"

namespace scenario {

std::optional<rifiuto> memo_segnale(scrittura& w, const segnale& s) {
  const std::int64_t i = cella_oggetto(s.posizione);
  if (!cella_libera(w.leggi(i))) return rifiuto{codice::segnale_cella_occupata, i};
  const std::int64_t lati = std::int64_t{s.sx} * 3 + s.dx;
  cella& c = w.oggetto(i);
  c.tipo = tipo_cella::segnale;
  c.dato4 = bassi_16(std::int64_t{s.rapp} * 10 + lati);
  c.dato1 = bassi_16(std::int64_t{s.s1} * 10 + s.d1);
  c.dato2 = bassi_16(std::int64_t{s.s2} * 10 + s.d2);
  c.dato3 = bassi_16(std::int64_t{s.s3} * 10 + s.d3);
  std::int32_t tempo = s.tempo;
  if (tempo >= 1 && tempo < tempo_minimo_segnale) tempo = tempo_minimo_segnale;
  c.dato5 = s.sx == 2 ? bassi_8(tempo) : 0;
  // Approach marks 100, 200, 300 and 400 m before the signal, whatever
  // the cells hold.
  for (std::int64_t ripetizione = 1; ripetizione <= n_segni_segnale; ++ripetizione) {
    w.segno(i - passo_segni_segnale * ripetizione, bassi_8(lati * 10 + ripetizione));
  }
  return std::nullopt;
}

}  // namespace scenario
