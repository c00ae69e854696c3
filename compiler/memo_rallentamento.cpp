#include "compiler/memo_rallentamento.h"

#include "compiler/model_access.h"
#include "compiler/rounding.h"

namespace scenario {

bool memo_rallentamento(modello_percorso& m, const rallentamento& r) {
  // Slowdowns within the first 1500 m have no warning board and no
  // approach cells.
  const bool con_avviso = r.x > 1500;
  std::int32_t f_ta = r.f_ta;
  std::int64_t k = 0;  // warning cell, 1200 m before the start
  if (con_avviso) {
    k = R(long_di(std::int64_t{r.x} - 1200) / 50.0 + 1);
    if (!cella_libera(cella_in(m, k))) {
      m.codice_errore = 17;
      return true;
    }
  } else {
    f_ta = 0;
  }
  const std::int64_t i0 = R(r.x / 50.0 + 1);
  if (!cella_libera(cella_in(m, i0))) {
    m.codice_errore = 18;
    return true;
  }
  const std::int64_t i1 = R(long_di(std::int64_t{r.x} + r.l) / 50.0 + 1);
  if (!cella_libera(cella_in(m, i1))) {
    m.codice_errore = 19;
    return true;
  }

  cella& fine = cella_in(m, i1);
  fine.tipo = tipo_cella::fine_rallentamento;
  if (r.d_v != 0) fine.dato2 = bassi_16(r.d_v);
  cella& inizio = cella_in(m, i0);
  inizio.tipo = tipo_cella::inizio_rallentamento;
  if (r.d_v != 0) inizio.dato2 = bassi_16(r.d_v);
  if (con_avviso) {
    cella& avviso = cella_in(m, k);
    avviso.tipo = tipo_cella::avviso_rallentamento;
    if (r.d_v != 0) avviso.dato2 = bassi_16(r.d_v);
    avviso.dato1 = bassi_16(r.v);
  }
  for (const std::int64_t i : {i0, i1}) {
    cella& c = cella_in(m, i);
    c.dato1 = bassi_16(r.v);
    c.dato3 = bassi_16(r.f_tt);
  }

  // The cell just before the warning cell, and the three before it.
  const std::int64_t lavoro_2 = R(long_di(std::int64_t{r.x} - 1200) / 50.0);
  if (f_ta != 0) {
    bool occupata = false;
    for (std::int64_t n = 0; n < 4; ++n) {
      if (!cella_libera(cella_in(m, lavoro_2 - n))) occupata = true;
    }
    if (occupata) {
      m.codice_errore = 20;
      return true;
    }
    for (std::int64_t n = 0; n < 4; ++n) {
      cella& c = cella_in(m, lavoro_2 - n);
      c.tipo = tipo_cella::approccio_rallentamento;
      c.dato1 = bassi_16(n + 1);
      if (r.d_v != 0) c.dato2 = bassi_16(n + 1);
    }
  }
  return false;
}

}  // namespace scenario
