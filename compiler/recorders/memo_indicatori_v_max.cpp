#include "compiler/recorders/memo_indicatori_v_max.h"

#include "compiler/format/arrotondamento.h"
#include "compiler/recorders/accesso_modello.h"

namespace scenario {

namespace {

// Left-hand speed × 20 + right-hand speed / 5, in floating point, rounded.
std::int16_t impacca(std::int32_t sinistra, std::int32_t destra) {
  return bassi_16(R(static_cast<double>(destra) / passo_velocita +
                    static_cast<double>(sinistra) * peso_lato_sinistro));
}

}  // namespace

std::optional<rifiuto> memo_indicatori_v_max(scrittura& w, const indicatore_v_max& b) {
  const std::int64_t i = cella_oggetto(b.posizione);
  if (!cella_libera(w.leggi(i))) return rifiuto{codice::indicatore_cella_occupata, i};
  cella& c = w.oggetto(i);
  c.tipo = tipo_cella::indicatore_v_max;
  c.dato1 = impacca(b.vas, b.vad);
  c.dato2 = impacca(b.vbs, b.vbd);
  c.dato3 = impacca(b.vcs, b.vcd);
  c.dato4 = bassi_16(std::int64_t{b.strisces} * 10 + b.strisced);
  return std::nullopt;
}

}  // namespace scenario
