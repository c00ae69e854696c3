#include "compiler/memo_segnale.h"

#include "compiler/model_access.h"
#include "compiler/rounding.h"

namespace scenario {

bool memo_segnale(modello_percorso& m, const segnale& s) {
  const std::int64_t i = R(s.posizione / 50.0 + 1);
  cella& c = cella_in(m, i);
  if (!cella_libera(c)) {
    m.codice_errore = 16;
    return true;
  }
  const std::int64_t lati = std::int64_t{s.sx} * 3 + s.dx;
  c.tipo = tipo_cella::segnale;
  c.dato4 = bassi_16(std::int64_t{s.rapp} * 10 + lati);
  c.dato1 = bassi_16(std::int64_t{s.s1} * 10 + s.d1);
  c.dato2 = bassi_16(std::int64_t{s.s2} * 10 + s.d2);
  c.dato3 = bassi_16(std::int64_t{s.s3} * 10 + s.d3);
  std::int32_t tempo = s.tempo;
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  c.dato5 = s.sx == 2 ? bassi_8(tempo) : 0;
  // Approach marks 100, 200, 300 and 400 m before the signal, whatever
  // the cells hold.
  for (std::int64_t ripetizione = 1; ripetizione <= 4; ++ripetizione) {
    cella_in(m, i - 2 * ripetizione).segno = bassi_8(lati * 10 + ripetizione);
  }
  return false;
}

}  // namespace scenario
