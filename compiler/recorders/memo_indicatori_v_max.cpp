#include "compiler/recorders/memo_indicatori_v_max.h"

#include "compiler/format/codifica_celle.h"
#include "compiler/recorders/accesso_modello.h"

namespace scenario {

std::optional<rifiuto> memo_indicatori_v_max(scrittura& w, const indicatore_v_max& b) {
  const std::int64_t i = cella_oggetto(b.posizione);
  if (!cella_libera(w.leggi(i))) return rifiuto{codice::indicatore_cella_occupata, i};
  cella& c = w.oggetto(i);
  c.tipo = tipo_cella::indicatore_v_max;
  c.dato1 = impacca_velocita(b.vas, b.vad);
  c.dato2 = impacca_velocita(b.vbs, b.vbd);
  c.dato3 = impacca_velocita(b.vcs, b.vcd);
  c.dato4 = impacca_decine(b.strisces, b.strisced);
  return std::nullopt;
}

}  // namespace scenario
