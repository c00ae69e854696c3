// The timetable sheet ("SCHEDA TRENO") of a scenario, in the layout of the
// program's own sheet: a header box, then one row per station in running
// order and one per change of the line's speed limit, each with its
// kilometric progressive, the line speed where it changes, and the time:
// arrival and departure at a stop (arrival = departure less the dwell), the
// departure at the first station, the arrival at the last, and the passing
// time the running-time calculation gives where the service file has no
// time, marked "(c)". Rows beyond a page go on to the next page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/documenti/dati_documenti.h"

namespace scenario {

// Header cells the data cannot fill: blank unless given (Windows-1252).
struct intestazione_scheda {
  std::string fascicolo;        // "Fascicolo Linee"
  std::string classificazione;  // "CLASSIFICAZIONE"
  std::string sigla;            // first line of "Sigla di composizione"
  std::string rotabili;         // the two cells under it
  std::string rsc;
};

struct opzioni_scheda {
  std::int32_t sosta_s = 30;  // dwell at a stop, seconds
  // Computed passing time per station (seconds after midnight), shown where
  // the service file has no time; empty, or one entry per station.
  std::vector<std::optional<std::int32_t>> passaggi;
  intestazione_scheda intestazione;
};

// The sheet's bytes: Windows-1252, CR LF after every line.
std::string scheda_treno(const dati_documenti& d, const opzioni_scheda& o);

}  // namespace scenario
