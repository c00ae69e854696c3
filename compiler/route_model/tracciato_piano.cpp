#include "compiler/route_model/tracciato_piano.h"

#include <algorithm>
#include <cstring>

namespace scenario {

namespace {

// Pieces of this many points per half (640 KiB) go to the file at a time:
// the largest line's run took 11.8 ms with pieces of 8192 points, 10.3 ms
// with these, in fewer and longer writes; larger ones did not pay.
constexpr std::int64_t punti_per_pezzo = 65536;

// The two seeded points, x and y.
constexpr std::int16_t seme_x[2] = {0, 0};
constexpr std::int16_t seme_y[2] = {0, 1};

// Lays n points of one run from the two before them, x into px and y into
// py. One loop per kind of run, the points in registers: the step's chain
// of operations is all the time a point takes.
template <bool curva>
void posa_pezzo(punto_piano& p2, punto_piano& p1, double c, std::int64_t n, char* px, char* py) {
  punto_piano a = p2, b = p1;
  for (std::int64_t i = 0; i < n; ++i) {
    const punto_piano p = passo_piano(a, b, c, curva);
    codifica_doppio(px, p.x);
    codifica_doppio(py, p.y);
    px += byte_variante_doppio;
    py += byte_variante_doppio;
    a = b;
    b = p;
  }
  p2 = a;
  p1 = b;
}

}  // namespace

tracciato_piano& tracciato_piano::operator=(const tracciato_piano& altro) {
  if (this == &altro) return *this;
  n_ = altro.n_;
  posati_ = altro.posati_;
  tratti_ = altro.tratti_;
  byte_.reset();
  return *this;
}

void tracciato_piano::crea(std::int64_t lunghezza_tracciato) {
  n_ = lunghezza_tracciato + 1;
  posati_ = 0;
  tratti_.clear();
  byte_.reset();
}

void tracciato_piano::cancella() {
  crea(-1);
}

bool tracciato_piano::semina() {
  if (n_ < 2) return false;
  posati_ = 2;
  byte_.reset();
  return true;
}

void tracciato_piano::posa(std::int64_t ultimo, double c, bool curva) {
  if (posati_ < 2 || ultimo < posati_) return;
  // Straight runs one after the other are one run.
  if (!curva && !tratti_.empty() && !tratti_.back().curva) {
    tratti_.back().ultimo = ultimo;
  } else {
    tratti_.push_back({ultimo, c, curva});
  }
  posati_ = ultimo + 1;
  byte_.reset();
}

template <class F>
void tracciato_piano::per_punto(std::int64_t fino, F&& f) const {
  // The last two points.
  punto_piano p2{seme_x[0], seme_y[0]};
  punto_piano p1{seme_x[1], seme_y[1]};
  std::int64_t k = 2;
  for (const tratto& t : tratti_) {
    const std::int64_t fine = std::min(t.ultimo, fino);
    for (; k <= fine; ++k) {
      const punto_piano p = passo_piano(p2, p1, t.c, t.curva);
      f(k, p.x, p.y);
      p2 = p1;
      p1 = p;
    }
    if (k > fino) return;
  }
}

variante tracciato_piano::punto(std::int64_t k, int colonna) const {
  if (k < 0 || k >= posati_) return std::monostate{};
  if (k < 2) return colonna == 0 ? seme_x[k] : seme_y[k];
  double valore = 0.0;
  per_punto(k, [&](std::int64_t i, double x, double y) {
    if (i == k) valore = colonna == 0 ? x : y;
  });
  return valore;
}

std::uint64_t tracciato_piano::meta() const {
  if (n_ <= 0) return 0;
  const auto vuoti = static_cast<std::uint64_t>(n_ - posati_);
  if (posati_ == 0) return vuoti * byte_variante_vuota;
  return 2 * byte_variante_intero + static_cast<std::uint64_t>(posati_ - 2) * byte_variante_doppio +
         vuoti * byte_variante_vuota;
}

std::uint64_t tracciato_piano::size() const {
  return 2 * meta();
}

void tracciato_piano::for_each_piece(
    const std::function<void(std::uint64_t, std::string_view)>& put) const {
  if (n_ <= 0) return;
  // One piece per half at a time, filled in place and put at its offset
  // when full: a push per byte would cost more than computing the points.
  constexpr std::size_t capienza = punti_per_pezzo * byte_variante_doppio;
  const std::unique_ptr<char[]> pezzi(new char[2 * capienza]);
  char* const inizio_x = pezzi.get();
  char* const inizio_y = pezzi.get() + capienza;
  char* px = inizio_x;
  char* py = inizio_y;
  std::uint64_t offset_x = 0, offset_y = meta();
  auto svuota = [&] {
    const auto nx = static_cast<std::size_t>(px - inizio_x);
    const auto ny = static_cast<std::size_t>(py - inizio_y);
    if (nx > 0) put(offset_x, {inizio_x, nx});
    if (ny > 0) put(offset_y, {inizio_y, ny});
    offset_x += nx;
    offset_y += ny;
    px = inizio_x;
    py = inizio_y;
  };
  auto pieno = [&] {
    return static_cast<std::size_t>(px - inizio_x) + byte_variante_doppio > capienza;
  };
  for (std::int64_t k = 0; k < std::min<std::int64_t>(posati_, 2); ++k) {
    codifica_intero(px, seme_x[k]);
    codifica_intero(py, seme_y[k]);
    px += byte_variante_intero;
    py += byte_variante_intero;
  }
  punto_piano p2{seme_x[0], seme_y[0]};
  punto_piano p1{seme_x[1], seme_y[1]};
  std::int64_t k = 2;
  for (const tratto& t : tratti_) {
    while (k <= t.ultimo) {
      const auto spazio = static_cast<std::int64_t>(
          (capienza - static_cast<std::size_t>(px - inizio_x)) / byte_variante_doppio);
      const std::int64_t n = std::min(t.ultimo - k + 1, spazio);
      if (t.curva) {
        posa_pezzo<true>(p2, p1, t.c, n, px, py);
      } else {
        posa_pezzo<false>(p2, p1, t.c, n, px, py);
      }
      k += n;
      px += n * static_cast<std::int64_t>(byte_variante_doppio);
      py += n * static_cast<std::int64_t>(byte_variante_doppio);
      if (pieno()) svuota();
    }
  }
  for (std::int64_t j = std::max<std::int64_t>(posati_, 0); j < n_; ++j) {
    codifica_vuoto(px);
    codifica_vuoto(py);
    px += byte_variante_vuota;
    py += byte_variante_vuota;
    if (pieno()) svuota();
  }
  svuota();
}

std::string_view tracciato_piano::byte() {
  const auto n = static_cast<std::size_t>(size());
  if (!byte_ && n > 0) {
    // Not zeroed first: every byte is written below.
    byte_.reset(new char[n]);
    for_each_piece([this](std::uint64_t offset, std::string_view pezzo) {
      std::memcpy(byte_.get() + offset, pezzo.data(), pezzo.size());
    });
  }
  return {byte_.get(), n};
}

}  // namespace scenario
