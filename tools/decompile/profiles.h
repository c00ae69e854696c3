// The three profiles along the line: grades (line file), speed limits and
// adhesion (service file). A record changes the value from the cell
// R(p / 50) on and writes the cells before it with the value in force; at
// the end of the file the last value is written up to the third cell from
// the end, unless the reader stopped before. So a profile becomes a record
// at 0 m and one record at every cell where the value changes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/decompile/source_records.h"

namespace scenario::decompile {

enum class fine_profilo : std::uint8_t {
  finito,     // the reader reached the end of its file
  interrotto  // the reader stopped at a failure: no fill to the end
};

// The records that give the byte `campo` of every cell back; `valore` turns
// a cell's byte into the value an author writes.
std::vector<record_profilo> recover_profile(
    const std::vector<cella>& celle, std::uint8_t cella::*campo, fine_profilo fine,
    const std::function<std::int32_t(std::uint8_t)>& valore);

// The values authors write for each profile's cell byte.
std::int32_t pendenza_scritta(std::uint8_t b);
std::int32_t velocita_scritta(std::uint8_t b);
std::int32_t aderenza_scritta(std::uint8_t b);

// The last position a record passes the room test at: a multiple of 50.
std::int32_t posizione_massima(std::int64_t ultima_cella);

// The position of a record that only sets the first value: 0 m, or further
// back on a line too short for a record at 0 m to pass the room test.
std::int32_t posizione_iniziale(std::int64_t ultima_cella);

}  // namespace scenario::decompile
