// What a recorder found when it refuses an object: the code the compile
// step records for it and the cell it found taken. The reader records the
// pair and decides what follows; the recorder writes no code itself.
#pragma once

#include <cstdint>

#include "compiler/format/formato.h"

namespace scenario {

struct rifiuto {
  codice codice_rifiuto = codice::nessuno;
  std::int64_t cella = -1;  // the taken cell
};

}  // namespace scenario
