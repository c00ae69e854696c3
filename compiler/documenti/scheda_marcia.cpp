#include "compiler/documenti/scheda_marcia.h"

#include <algorithm>
#include <cmath>

namespace scenario {

namespace {

inline constexpr double giorno_s = 86400.0;

}  // namespace

std::int32_t sosta_documenti(const modello_treno& m) {
  return static_cast<std::int32_t>(std::llround(m.sosta_minima_s));
}

opzioni_scheda opzioni_scheda_marcia(const dati_documenti& d, const linea_marcia& l,
                                     const esito_marcia& e, const modello_treno& m) {
  opzioni_scheda o;
  o.sosta_s = sosta_documenti(m);
  const bool con_orologio = std::any_of(l.stazioni.begin(), l.stazioni.end(),
                                        [](const stazione_marcia& s) { return s.orario; });
  if (!con_orologio) return o;
  o.passaggi.assign(d.stazioni.size(), std::nullopt);
  for (const orario_stazione& t : e.stazioni) {
    if (t.ferma || t.stazione >= l.stazioni.size()) continue;
    // A pass before midnight or after the next one has no place on the sheet.
    if (!(t.arrivo >= 0.0 && t.arrivo < giorno_s)) continue;
    const std::int32_t voce = l.stazioni[t.stazione].voce;
    for (std::size_t i = 0; i < d.stazioni.size(); ++i) {
      if (d.stazioni[i].voce == voce && d.stazioni[i].orario == 0) {
        o.passaggi[i] = static_cast<std::int32_t>(std::llround(t.arrivo));
      }
    }
  }
  return o;
}

opzioni_scheda opzioni_scheda_marcia(const dati_documenti& d, const linea_marcia& l,
                                     const modello_treno& m) {
  opzioni_marcia om;
  om.corsa = false;
  return opzioni_scheda_marcia(d, l, calcola_marcia(l, m, om), m);
}

opzioni_confronto opzioni_confronto_marcia(const modello_treno& m) {
  opzioni_confronto o;
  o.sosta_s = sosta_documenti(m);
  return o;
}

}  // namespace scenario
