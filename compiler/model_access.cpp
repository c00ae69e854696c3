#include "compiler/model_access.h"

#include <cmath>
#include <limits>

#include "compiler/rounding.h"
#include "compiler/run_failure.h"

namespace scenario {

cella& cella_in(modello_percorso& m, std::int64_t i) {
  if (i < 0 || i >= static_cast<std::int64_t>(m.celle.size())) {
    throw run_failure("cell index outside the route model");
  }
  return m.celle[static_cast<std::size_t>(i)];
}

void fuori_dal_tracciato() {
  throw run_failure("track point outside the plan geometry");
}

std::int32_t long_di(std::int64_t valore) {
  if (valore < std::numeric_limits<std::int32_t>::min() ||
      valore > std::numeric_limits<std::int32_t>::max()) {
    throw run_failure("Long overflow");
  }
  return static_cast<std::int32_t>(valore);
}

std::int32_t long_arrotondato(double x) {
  const double r = arrotonda_pari(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw run_failure("Long overflow");
  return static_cast<std::int32_t>(r);
}

bool fuori_dai_celle(const modello_percorso& m, std::int32_t p, std::int32_t margine) {
  // The bound of an array that does not exist yet cannot be read.
  if (!m.ha_celle()) throw run_failure("route model not created yet");
  const std::int32_t somma = long_di(static_cast<std::int64_t>(p) + margine);
  return static_cast<double>(somma) / 50.0 > static_cast<double>(m.n_celle);
}

}  // namespace scenario
