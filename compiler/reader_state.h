// What the two readers share while memorizza_dati runs: the file being
// read (for the failure trap's diagnostics) and the next indication board
// slot, which bounds the station slots.
#pragma once

#include <cstdint>
#include <optional>

#include "compiler/field_reader.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

struct stato_lettori {
  file_sorgente file = file_sorgente::nessuno;
  std::optional<field_reader> lettore;                  // the open file, once read from disk
  std::int32_t posto_cartello = voce::ultimo_cartello;  // boards fill downward from 80
};

}  // namespace scenario
