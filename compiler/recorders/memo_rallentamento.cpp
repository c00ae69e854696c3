#include "compiler/recorders/memo_rallentamento.h"

#include "compiler/format/codifica_celle.h"
#include "compiler/recorders/accesso_modello.h"

namespace scenario {

std::optional<rifiuto> memo_rallentamento(scrittura& w, const rallentamento& r) {
  const bool con_avviso = r.x > inizio_con_avviso;
  std::int32_t f_ta = r.f_ta;
  const std::int32_t x_avviso = long_di(std::int64_t{r.x} - distanza_avviso);
  std::int64_t k = 0;  // warning cell
  if (con_avviso) {
    k = cella_oggetto(x_avviso);
    if (!cella_libera(w.leggi(k))) return rifiuto{codice::avviso_cella_occupata, k};
  } else {
    f_ta = 0;
  }
  const std::int64_t i0 = cella_oggetto(r.x);
  if (!cella_libera(w.leggi(i0))) return rifiuto{codice::inizio_rallentamento_cella_occupata, i0};
  const std::int64_t i1 = cella_oggetto(long_di(std::int64_t{r.x} + r.l));
  if (!cella_libera(w.leggi(i1))) return rifiuto{codice::fine_rallentamento_cella_occupata, i1};

  // End, start, then the warning: where two of them share a cell (a length
  // of 0, or of -1200 m), the later one's code stays.
  const valori_rallentamento valori{r.v, r.d_v, r.f_tt};
  impacca_rallentamento(w.oggetto(i1), tipo_cella::fine_rallentamento, valori);
  impacca_rallentamento(w.oggetto(i0), tipo_cella::inizio_rallentamento, valori);
  if (con_avviso) impacca_rallentamento(w.oggetto(k), tipo_cella::avviso_rallentamento, valori);

  // The cell just before the warning cell, and the three before it.
  const std::int64_t lavoro_2 = cella_profilo(x_avviso);
  if (f_ta != 0) {
    for (std::int64_t n = 0; n < n_celle_approccio; ++n) {
      if (!cella_libera(w.leggi(lavoro_2 - n))) {
        return rifiuto{codice::approccio_cella_occupata, lavoro_2 - n};
      }
    }
    for (std::int64_t n = 0; n < n_celle_approccio; ++n) {
      impacca_approccio(w.oggetto(lavoro_2 - n), n + 1, r.d_v != 0);
    }
  }
  return std::nullopt;
}

}  // namespace scenario
