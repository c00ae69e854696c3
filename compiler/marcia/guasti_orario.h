// The timetable's faults, found for the checker to word and place: a time
// not after the previous station's, a section the timetable gives less
// time than its fastest run, a time of day outside 0 .. 24 h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/marcia/linea_marcia.h"
#include "compiler/marcia/marcia.h"

namespace scenario {

enum class tipo_guasto_orario : std::uint8_t {
  non_dopo_precedente,   // earlier than or equal to the previous station's time
  sezione_troppo_breve,  // less time than the fastest run (margin below 0)
  fuori_giornata,        // 24 h or more, or below 0
};

struct guasto_orario {
  tipo_guasto_orario tipo = tipo_guasto_orario::non_dopo_precedente;
  std::size_t stazione = 0;               // the later station, index in linea_marcia::stazioni
  std::optional<std::size_t> precedente;  // the earlier station with a time
  std::int32_t orario = 0;                // s after midnight
  std::int32_t orario_precedente = 0;
  double distanza = 0.0;      // m between the two
  double tempo_minimo = 0.0;  // s: the fastest run, with the dwell (sezione_troppo_breve)
  double tempo_orario = 0.0;  // s: what the timetable gives
};

// In station order; at one station in the order of the kinds. `e` gives the
// sections; without it (or when it names a reason) no section is judged.
std::vector<guasto_orario> guasti_orario(const linea_marcia& l, const esito_marcia* e);

// The fault in words, e.g. "9050 m from Grotte S. Stefano needs at least
// 6 min 40 s; the timetable gives 0 s" (station names as Windows-1252).
std::string testo_guasto_orario(const linea_marcia& l, const guasto_orario& g);

// "6 min 40 s", "45 s", "1 h 02 min 05 s", whole seconds.
std::string durata(std::int64_t secondi);

}  // namespace scenario
