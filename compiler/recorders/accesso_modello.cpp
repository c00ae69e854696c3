#include "compiler/recorders/accesso_modello.h"

#include <limits>

#include "compiler/format/arrotondamento.h"
#include "compiler/readers/errore_esecuzione.h"

namespace scenario {

std::int32_t long_di(std::int64_t valore) {
  if (valore < std::numeric_limits<std::int32_t>::min() ||
      valore > std::numeric_limits<std::int32_t>::max()) {
    throw errore_esecuzione(motivo_guasto::overflow_long, "Long overflow");
  }
  return static_cast<std::int32_t>(valore);
}

std::int32_t long_arrotondato(double x) {
  const double r = arrotonda_pari(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
    throw errore_esecuzione(motivo_guasto::overflow_long, "Long overflow");
  }
  return static_cast<std::int32_t>(r);
}

bool fuori_dai_celle(const modello_percorso& m, std::int32_t p, std::int32_t margine) {
  // The bound of an array that does not exist yet cannot be read.
  if (!m.ha_celle()) {
    throw errore_esecuzione(motivo_guasto::modello_assente, "route model not created yet");
  }
  return !entra_nelle_celle(long_di(static_cast<std::int64_t>(p) + margine), 0, m.n_celle);
}

}  // namespace scenario
