#include "compiler/recorders/memo_rallentamento.h"

#include "compiler/format/arrotondamento.h"
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

  cella& fine = w.oggetto(i1);
  fine.tipo = tipo_cella::fine_rallentamento;
  if (r.d_v != 0) fine.dato2 = bassi_16(r.d_v);
  cella& inizio = w.oggetto(i0);
  inizio.tipo = tipo_cella::inizio_rallentamento;
  if (r.d_v != 0) inizio.dato2 = bassi_16(r.d_v);
  if (con_avviso) {
    cella& avviso = w.oggetto(k);
    avviso.tipo = tipo_cella::avviso_rallentamento;
    if (r.d_v != 0) avviso.dato2 = bassi_16(r.d_v);
    avviso.dato1 = bassi_16(r.v);
  }
  for (const std::int64_t i : {i0, i1}) {
    cella& c = w.oggetto(i);
    c.dato1 = bassi_16(r.v);
    c.dato3 = bassi_16(r.f_tt);
  }

  // The cell just before the warning cell, and the three before it.
  const std::int64_t lavoro_2 = cella_profilo(x_avviso);
  if (f_ta != 0) {
    for (std::int64_t n = 0; n < n_celle_approccio; ++n) {
      if (!cella_libera(w.leggi(lavoro_2 - n))) {
        return rifiuto{codice::approccio_cella_occupata, lavoro_2 - n};
      }
    }
    for (std::int64_t n = 0; n < n_celle_approccio; ++n) {
      cella& c = w.oggetto(lavoro_2 - n);
      c.tipo = tipo_cella::approccio_rallentamento;
      c.dato1 = bassi_16(n + 1);
      if (r.d_v != 0) c.dato2 = bassi_16(n + 1);
    }
  }
  return std::nullopt;
}

}  // namespace scenario
