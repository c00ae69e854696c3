// What the two cross-checks share about the records no row stands for:
// which of them to report, and where.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "compiler/documenti/lettura_documenti.h"

namespace scenario {

using righe_abbinate = std::vector<std::optional<std::size_t>>;  // each record's row

// Record i has no row: reported, unless the document was cut short before
// the place where its row would stand.
inline bool mancante_da_segnalare(bool intera, const righe_abbinate& riga_di, std::size_t i) {
  if (intera) return true;
  for (std::size_t k = i + 1; k < riga_di.size(); ++k) {
    if (riga_di[k]) return true;
  }
  return false;
}

// Where record i's row would stand: at the row of the next record that
// has one, else under the last row (or where the rows begin).
template <class riga>
posto dove_mancante(const documento_letto<riga>& d, const righe_abbinate& riga_di, std::size_t i,
                    posto riga::*dove) {
  for (std::size_t k = i + 1; k < riga_di.size(); ++k) {
    if (riga_di[k]) return d.righe[*riga_di[k]].*dove;
  }
  return {d.righe.empty() ? d.prima_riga : d.righe.back().riga + 1, 1, 0};
}

}  // namespace scenario
