// The smaller of two values, as the placement pass uses it to cap a
// marker's value.
#pragma once

#include <cstdint>

namespace scenario {

// y when x > y, otherwise x (on a tie, x).
inline std::int16_t minimo(std::int16_t x, std::int16_t y) {
  return x > y ? y : x;
}

}  // namespace scenario
