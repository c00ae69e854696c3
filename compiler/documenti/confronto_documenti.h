// The cross-check of a driver's documents against the scenario's data:
// pure functions from what was read and the data to the findings. Rows are
// matched to stations (and to slowdowns) keeping the running order, by
// name, loosely, and by kilometre; rows that are no station (kilometre
// posts, junctions without a record, speed changes) are left alone. Each
// finding names the station or slowdown its row was matched to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "compiler/documenti/dati_documenti.h"
#include "compiler/documenti/lettura_documenti.h"
#include "compiler/documenti/rilievi.h"

namespace scenario {

struct opzioni_confronto {
  // A kilometre on a document may differ from the data by this much:
  // hand-written documents give the real station's kilometre, the data its
  // 50 m cell.
  std::int32_t tolleranza_km_m = 100;
  std::int32_t sosta_s = 30;  // dwell at a stop: arrival = departure less this
};

// For each station of `d`, the row of the sheet matched to it, as the
// cross-check matches them; none for a station the sheet lacks.
std::vector<std::optional<std::size_t>> abbina_scheda(const scheda_letta& s,
                                                      const dati_documenti& d,
                                                      const opzioni_confronto& o = {});

rilievi confronta_scheda(const scheda_letta& s, const dati_documenti& d,
                         const opzioni_confronto& o);
rilievi confronta_modulo(const modulo_letto& m, const dati_documenti& d,
                         const opzioni_confronto& o);

// The reading findings and the disagreements, in the order of their places
// in the document.
template <class riga>
rilievi con_lettura(const documento_letto<riga>& letto, const rilievi& disaccordi) {
  rilievi r = letto.rilievi_lettura;
  r.insert(r.end(), disaccordi.begin(), disaccordi.end());
  in_ordine(r);
  return r;
}

// Read and cross-checked: the reading findings and the disagreements, in
// the order of their places in the document.
rilievi controlla_scheda(std::string_view bytes, const dati_documenti& d,
                         const opzioni_confronto& o = {});
rilievi controlla_rallentamenti(std::string_view bytes, const dati_documenti& d,
                                const opzioni_confronto& o = {});

}  // namespace scenario
