#include "compiler/documenti/allineamento.h"

#include <cstdint>

namespace scenario {

std::vector<std::optional<std::size_t>> allinea(
    std::size_t n, std::size_t m,
    const std::function<std::int64_t(std::size_t, std::size_t)>& punti) {
  // Best totals row by row; the choices kept one byte each for the way back.
  enum : std::uint8_t { salta_record, salta_riga, coppia };
  std::vector<std::uint8_t> scelta((n + 1) * (m + 1), salta_record);
  std::vector<std::int64_t> prima(m + 1, 0), ora(m + 1, 0);
  for (std::size_t i = 1; i <= n; ++i) {
    ora[0] = 0;
    for (std::size_t j = 1; j <= m; ++j) {
      std::int64_t best = prima[j];
      std::uint8_t c = salta_record;
      if (ora[j - 1] > best) {
        best = ora[j - 1];
        c = salta_riga;
      }
      const std::int64_t p = punti(i - 1, j - 1);
      if (p > 0 && prima[j - 1] + p > best) {
        best = prima[j - 1] + p;
        c = coppia;
      }
      ora[j] = best;
      scelta[i * (m + 1) + j] = c;
    }
    std::swap(prima, ora);
  }
  std::vector<std::optional<std::size_t>> riga_di(n);
  std::size_t i = n, j = m;
  while (i > 0 && j > 0) {
    switch (scelta[i * (m + 1) + j]) {
      case coppia:
        riga_di[i - 1] = j - 1;
        --i;
        --j;
        break;
      case salta_riga:
        --j;
        break;
      default:
        --i;
        break;
    }
  }
  return riga_di;
}

}  // namespace scenario
