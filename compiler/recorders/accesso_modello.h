// Checked Long arithmetic and the room test for the readers and recorders:
// whatever would overflow a 32-bit Long, or test room in a model not built
// yet, throws errore_esecuzione instead, which the readers turn into code 25.
#pragma once

#include <cstdint>

#include "compiler/route_model/route_model.h"

namespace scenario {

// The value of a Long expression computed in 64 bits; throws when it does
// not fit 32 bits, as a Long overflow would.
std::int32_t long_di(std::int64_t valore);

// A rounded double stored into a Long: R(x), throwing outside 32 bits.
std::int32_t long_arrotondato(double x);

// Room test for a record at p: (p + margine) / 50, in floating point, must
// not exceed the last cell index. True when the record does not fit.
// Needs the cells; margine is 100 for most records, 800 for stations.
bool fuori_dai_celle(const modello_percorso& m, std::int32_t p, std::int32_t margine);

}  // namespace scenario
