// The plan geometry of the track, one point per metre, kept as the bytes of
// the line data file while it is laid: the x values of points 0 .. N - 1,
// then their y values, each a Variant (2-byte tag and its value).
//
// The line reader lays the points in order: points 0 and 1 are seeded as
// Integers, then every point k = 2, 3, ... gets a Double, and the points
// never reached stay empty. So a half is 2 x 4 bytes, then 10 bytes per
// laid Double, then 2 bytes per empty point, and the y half starts where
// the x half ends. The buffer is laid out for the usual end (every point
// but the last two laid) and moved only when the reader stops elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <variant>

#include "compiler/route_model/formato.h"

namespace scenario {

// An element of the geometry: empty, a 16-bit Integer or a Double.
using variante = std::variant<std::monostate, std::int16_t, double>;

class tracciato_piano {
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

  // Lays point prossimo() as Doubles. False, laying nothing, when that
  // point is past the last one (or the geometry is not seeded).
  bool posa(double x, double y) {
    if (posati_ < 2 || posati_ >= n_ || chiuso_) return false;
    if (fine_x(posati_ + 1) > inizio_y_) riordina(fine_x(n_));
    scrivi_doppio(offset(posati_), x);
    scrivi_doppio(inizio_y_ + offset(posati_), y);
    ++posati_;
    return true;
  }

  // The element (k, colonna) as the file holds it; k in 0 .. N - 1.
  variante punto(std::int64_t k, int colonna) const;

  // Bytes of the line data file. The first call closes the geometry (the
  // empty points are written); nothing can be laid after it.
  std::string_view byte();

 private:
  // Offset of point k >= 2 within a half, every point before it laid.
  static std::size_t offset(std::int64_t k) {
    return 2 * byte_variante_intero + static_cast<std::size_t>(k - 2) * byte_variante_doppio;
  }
  // Where the x half ends when points 0 .. k - 1 are laid (k >= 2).
  static std::size_t fine_x(std::int64_t k) { return offset(k); }
  // The size of a half with `posati` points laid (0: none, not seeded).
  std::size_t meta(std::int64_t posati) const;
  // Moves the y half so that the x half may grow to `capienza_x` bytes.
  void riordina(std::size_t capienza_x);
  void scrivi_doppio(std::size_t offset, double v);
  void scrivi_vuoti(std::size_t offset, std::int64_t quanti);

  std::int64_t n_ = 0;        // points per column
  std::int64_t posati_ = 0;   // points 0 .. posati_ - 1 hold a value
  std::size_t inizio_y_ = 0;  // where the y half starts in the buffer
  std::size_t capienza_ = 0;
  std::unique_ptr<char[]> buffer_;  // not zeroed: every byte is written before it is read
  bool chiuso_ = false;
};

}  // namespace scenario
