// Why a run cannot be timed at all: the calculation names the reason and
// where it stands instead of giving a time.
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

enum class tipo_impedimento : std::uint8_t {
  poche_stazioni,         // fewer than two stations: no run
  stazioni_fuori_ordine,  // a station not beyond the one before it
  senza_treno,            // no cars and no mass or length of its own
  senza_frenatura,        // braked mass of 0 per cent
  senza_aderenza,         // adhesion 0 somewhere on the run
  limite_zero,            // a speed limit of 0 km/h on the run
  stallo,                 // the train cannot climb on
};

struct impedimento_marcia {
  tipo_impedimento tipo = tipo_impedimento::poche_stazioni;
  double posizione = 0.0;  // metres, where it stands (0 where no place fits)
  std::string testo;       // in words, e.g. "the train stalls at 12350 m on 35 per mille"
};

}  // namespace scenario
