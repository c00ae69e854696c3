// Stations, from their entries 1, 2, ... of the item table and their end
// cells (code 10 pointing back at the entry): the station's length from its
// area and type, "prolunga" from the 50 m it adds, the timetabled time from
// seconds after midnight. A station the reader stopped at, halfway through
// its record or right after it, comes back as the record that stops it.
#pragma once

#include <optional>
#include <vector>

#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"
#include "tools/route_files/compiled_route.h"

namespace scenario::decompile {

struct station_recovery {
  std::vector<record_stazione> stazioni;  // in slot order, without the last one below
  // The station at which the reader stopped (a failure, a fault of its own
  // or the room test), the last of all.
  std::optional<record_stazione> ultima;
  bool finisce_il_file = false;  // the room test: the reader still finished its fills
};

// `posto_libero` is the board slot the next indication board would take.
station_recovery recover_stations(const compiled_route& r, int posto_libero, notes& n);

}  // namespace scenario::decompile
