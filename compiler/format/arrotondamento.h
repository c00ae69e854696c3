// R(x): rounding to the nearest whole number, an exact half going to the
// even neighbour (R(140.5) = 140, R(141.5) = 142). Every conversion of a
// computed position or ratio to a whole number goes through it.
#pragma once

#include <cmath>
#include <cstdint>

namespace scenario {

inline double arrotonda_pari(double x) {
  // std::nearbyint rounds in the current mode, which is to-nearest-even
  // unless someone changed it; do it explicitly instead.
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff < 0.5) return f;
  if (diff > 0.5) return f + 1.0;
  return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

// R(x) as a 64-bit whole number; callers check the range they need.
inline std::int64_t R(double x) {
  return static_cast<std::int64_t>(arrotonda_pari(x));
}

}  // namespace scenario
