// The plan geometry of the track, one point per metre, and the line data
// file that holds it: the x values of points 0 .. N - 1, then their y
// values, each a Variant (2-byte tag and its value).
//
// The line reader lays the points in order: points 0 and 1 are seeded as
// Integers, then every point k = 2, 3, ... follows from the two before it,
// straight on or turned by a curve's curvature, and the points never
// reached stay empty. So the geometry is kept as its runs (up to which point
// and how each turns), and the points are computed only while the file is
// written, straight into its bytes: the largest line's 20 MB are never held
// in memory unless asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "compiler/format/formato.h"
#include "compiler/format/variante.h"

namespace scenario {

// A point of the plan, metres.
struct punto_piano {
  double x = 0.0;
  double y = 0.0;
};

// A point from the two before it, in exactly the order of operations that
// gives the file's bits: straight on, or, for a curve, turned by c radians
// per metre (clockwise for c > 0 when x points right and y up).
inline punto_piano passo_piano(const punto_piano& p2, const punto_piano& p1, double c, bool curva) {
  const double dx = p1.x - p2.x;
  const double dy = p1.y - p2.y;
  if (!curva) return {p1.x + dx, p1.y + dy};
  return {p1.x + (dx + c * dy), p1.y + (dy - c * dx)};
}

class tracciato_piano : public file_content {
 public:
  tracciato_piano() = default;
  tracciato_piano(const tracciato_piano& altro) { *this = altro; }
  tracciato_piano& operator=(const tracciato_piano& altro);
  tracciato_piano(tracciato_piano&&) noexcept = default;
  tracciato_piano& operator=(tracciato_piano&&) noexcept = default;

  // Points 0 .. lunghezza_tracciato, all empty; lunghezza_tracciato >= 0.
  void crea(std::int64_t lunghezza_tracciato);
  // No geometry at all.
  void cancella();

  bool creato() const { return n_ > 0; }
  std::int64_t n_punti() const { return n_; }
  // Index of the next point to lay: 2 after seeding; 0 before.
  std::int64_t prossimo() const { return posati_; }

  // Points 0 and 1 as Integers, (0, 0) and (0, 1): the track starts at the
  // origin heading along +y. False when the geometry has fewer than two
  // points.
  bool semina();

  // Lays the points prossimo() .. ultimo, each from the two before it:
  // straight on, or, for a curve, turned by c radians per metre. The caller
  // keeps ultimo below n_punti(); nothing is laid before seeding.
  void posa(std::int64_t ultimo, double c, bool curva);

  // The element (k, colonna) as the file holds it; k in 0 .. N - 1. The
  // points are computed anew up to k: for tests and checks, not for loops.
  variante punto(std::int64_t k, int colonna) const;

  // The line data file: its size, and its bytes piece by piece.
  std::uint64_t size() const override;
  void for_each_piece(
      const std::function<void(std::uint64_t, std::string_view)>& put) const override;

  // The same bytes in one buffer, made on the first call.
  std::string_view byte();

 private:
  // Points from the end of the run before up to `ultimo`, straight on or
  // turned by c.
  struct tratto {
    std::int64_t ultimo;
    double c;
    bool curva;
  };
  // Walks the laid points from 2 on, with their coordinates.
  template <class F>
  void per_punto(std::int64_t fino, F&& f) const;
  std::uint64_t meta() const;  // bytes of one half

  std::int64_t n_ = 0;       // points per column
  std::int64_t posati_ = 0;  // points 0 .. posati_ - 1 hold a value
  std::vector<tratto> tratti_;
  std::unique_ptr<char[]> byte_;  // the file's bytes, once asked for
};

}  // namespace scenario
