// Stations, from their entries 1, 2, ... of the item table and their end
// cells (code 10 pointing back at the entry): the station's length from its
// area and type, "prolunga" from the 50 m it adds, the timetabled time from
// seconds after midnight. A station the reader stopped at, halfway through
// its record or right after it, comes back as the record that stops it.
#pragma once

#include <optional>
#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"

namespace scenario::decompile {

struct station_recovery {
  std::vector<record_stazione> stazioni;  // in slot order, without the last one below
  // The station at which the reader stopped (a failure, a fault of its own
  // or the room test), the last of all.
  std::optional<record_stazione> ultima;
  bool finisce_il_file = false;  // the room test: the reader still finished its fills
};

// `posto_libero` is the board slot the next indication board would take;
// `celle` as the placement pass left them (before the compile step's stamps).
station_recovery recover_stations(const std::vector<cella>& celle, const tabella_elementi& elementi,
                                  int posto_libero, notes& n);

}  // namespace scenario::decompile
