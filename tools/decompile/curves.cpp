#include "tools/decompile/curves.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "compiler/format/formato.h"
#include "compiler/route_model/tracciato_piano.h"
#include "tools/decompile/profiles.h"

namespace scenario::decompile {

namespace {

// A step's kind: 0 straight, +c a right-hand curve of class c, -c a
// left-hand one.
using genere_passo = int;

// How far a step's turn per metre may lie from its class, in radians: far
// above the rounding of the coordinates, far below the gap between classes.
constexpr double tolleranza = 1e-6;

bool vuoto(const variante& v) {
  return std::holds_alternative<std::monostate>(v);
}

// The kind of the step that leads to point k, read from the turn between
// the step before it and this one; empty when the step is neither straight
// nor a curve step of a class.
std::optional<genere_passo> genere(const geometria& g, std::size_t k) {
  const double x0 = *valore(g.x[k - 2]), y0 = *valore(g.y[k - 2]);
  const double x1 = *valore(g.x[k - 1]), y1 = *valore(g.y[k - 1]);
  const double x2 = *valore(g.x[k]), y2 = *valore(g.y[k]);
  const double dx = x1 - x0, dy = y1 - y0;
  const double ddx = (x2 - x1) - dx, ddy = (y2 - y1) - dy;
  const double q = dx * dx + dy * dy;
  // A curve step adds c (dy, -dx) to the step before it: a turn across the
  // heading and nothing along it.
  const double c = (ddx * dy - ddy * dx) / q;
  const double lungo = (ddx * dx + ddy * dy) / q;
  if (!(std::fabs(lungo) <= tolleranza)) return std::nullopt;
  if (std::fabs(c) <= tolleranza) return 0;
  for (int classe = 1; classe <= static_cast<int>(curvatura_classe.size()); ++classe) {
    const double v = curvatura_classe[static_cast<std::size_t>(classe - 1)];
    if (std::fabs(c - v) <= tolleranza) return classe;
    if (std::fabs(c + v) <= tolleranza) return -classe;
  }
  return std::nullopt;
}

using punto = punto_piano;

punto punto_di(const geometria& g, std::size_t k) {
  return {*valore(g.x[k]), *valore(g.y[k])};
}

bool stessi_bit(const punto& a, const punto& b) {
  return std::bit_cast<std::uint64_t>(a.x) == std::bit_cast<std::uint64_t>(b.x) &&
         std::bit_cast<std::uint64_t>(a.y) == std::bit_cast<std::uint64_t>(b.y);
}

// A point from the two before it as the line reader lays it, in its order
// of operations: straight on, or turned by the curvature of the kind.
punto passo(const punto& p2, const punto& p1, genere_passo gen) {
  if (gen == 0) return passo_piano(p2, p1, 0.0, false);
  const double c =
      (gen > 0 ? 1.0 : -1.0) * curvatura_classe[static_cast<std::size_t>(std::abs(gen) - 1)];
  return passo_piano(p2, p1, c, true);
}

// The kinds of the unrecognised steps a .. b (one moved point spoils its
// own step and the two after it): the kind before them up to some point
// and the kind after them from there on, whichever lays the two points
// after them bit for bit from the two points before them. False when none
// does.
bool ripara(const geometria& g, std::vector<genere_passo>& generi, std::size_t a, std::size_t b) {
  const std::size_t fine = generi.size();
  if (b + 1 >= fine) return false;
  const genere_passo prima = a > 2 ? generi[a - 1] : 0;
  const genere_passo dopo = generi[b + 1];
  const std::size_t ultimo_controllo = std::min(b + 2, fine - 1);
  for (std::size_t t = a; t <= b + 1; ++t) {
    punto p2 = punto_di(g, a - 2), p1 = punto_di(g, a - 1);
    bool uguali = true;
    for (std::size_t k = a; k <= ultimo_controllo && uguali; ++k) {
      const genere_passo gen = k > b ? generi[k] : (k < t ? prima : dopo);
      const punto p = passo(p2, p1, gen);
      if (k > b) uguali = stessi_bit(p, punto_di(g, k));
      p2 = p1;
      p1 = p;
    }
    if (uguali) {
      for (std::size_t k = a; k <= b; ++k) generi[k] = k < t ? prima : dopo;
      return true;
    }
  }
  return false;
}

bool seme_giusto(const variante& v, std::int16_t atteso) {
  const auto* i = std::get_if<std::int16_t>(&v);
  return i != nullptr && *i == atteso;
}

// Where the record of a curve whose first step lays point k starts: at
// point k - 1, the end of the straight run before it. Where the points
// before it are all laid already (it follows another curve, or lays point
// 2), the record may start anywhere before: at the origin for point 2, and
// at the last position that passes the room test where point k - 1 does
// not. After a straight step no record starts there: the curve starts at
// that last position instead, and the points from it on are named.
std::int32_t inizio_curva(std::int64_t k, std::int64_t fine_ultima, std::int64_t ultimo, notes& n) {
  const std::int64_t ultima_cella = n_celle_di(ultimo);
  if (k == 2) return posizione_iniziale(ultima_cella);
  const std::int32_t massima = posizione_massima(ultima_cella);
  if (k - 1 <= massima) return static_cast<std::int32_t>(k - 1);
  if (fine_ultima == k - 1) return massima;
  for (std::int64_t p = std::max<std::int64_t>(massima + 1, 2); p <= ultimo; ++p) {
    n.add({place::point, p}, "a curve starts at point " + std::to_string(k - 1) +
                                 " after a straight step, past " + std::to_string(massima) +
                                 " m, the last position where a record passes the room test");
  }
  return massima;
}

}  // namespace

geometry_recovery recover_curves(const geometria& g, notes& n) {
  geometry_recovery out;
  const std::size_t punti = g.x.size();
  const std::int64_t ultimo = static_cast<std::int64_t>(punti) - 1;  // lunghezza_tracciato

  // Points 0 and 1: seeded as Integers, or never (the reader stopped in
  // the general section).
  std::size_t k_vuoto = 0;  // first point from 2 on left empty
  if (punti >= 2 && vuoto(g.x[0]) && vuoto(g.y[0]) && vuoto(g.x[1]) && vuoto(g.y[1])) {
    out.interrotta = interruzione::generale;
  } else {
    for (std::size_t k = 0; k < 2 && k < punti; ++k) {
      if (!seme_giusto(g.x[k], 0) || !seme_giusto(g.y[k], static_cast<std::int16_t>(k))) {
        n.add({place::point, static_cast<std::int64_t>(k)},
              "the track starts at (0, 0) heading along y: point " + std::to_string(k) +
                  " is the Integer pair (0, " + std::to_string(k) + ") in every compiled route");
      }
    }
    k_vuoto = 2;
    while (k_vuoto < punti && !vuoto(g.x[k_vuoto]) && !vuoto(g.y[k_vuoto])) ++k_vuoto;
    if (static_cast<std::int64_t>(k_vuoto) < ultimo - 1) out.interrotta = interruzione::corpo;
  }
  for (std::size_t k = std::max<std::size_t>(k_vuoto, 2); k < punti; ++k) {
    if (!vuoto(g.x[k]) || !vuoto(g.y[k])) {
      n.add({place::point, static_cast<std::int64_t>(k)},
            "the point holds a value after an empty point (or half of it is empty): the "
            "geometry is laid point by point from the origin");
    }
  }
  if (out.interrotta == interruzione::generale) return out;

  // The kind of every laid step; a step that is none keeps the kind of the
  // step before it, so that one moved point does not break a curve.
  std::vector<genere_passo> generi(k_vuoto, 0);
  std::vector<bool> riconosciuto(k_vuoto, true);
  for (std::size_t k = 2; k < k_vuoto; ++k) {
    if (std::holds_alternative<std::int16_t>(g.x[k]) ||
        std::holds_alternative<std::int16_t>(g.y[k])) {
      n.add({place::point, static_cast<std::int64_t>(k)},
            "the point is an Integer; the compile step lays Doubles from point 2 on");
    }
    if (const auto gen = genere(g, k)) {
      generi[k] = *gen;
    } else {
      generi[k] = k > 2 ? generi[k - 1] : 0;
      riconosciuto[k] = false;
      n.add({place::point, static_cast<std::int64_t>(k)},
            "the point does not follow from the two before it by a straight step or by a "
            "curve step of class 1 to 6");
    }
  }
  for (std::size_t a = 2; a < k_vuoto; ++a) {
    if (riconosciuto[a]) continue;
    std::size_t b = a;
    while (b + 1 < k_vuoto && !riconosciuto[b + 1]) ++b;
    ripara(g, generi, a, b);
    a = b;
  }

  // Runs of one curve kind: each a curve that starts at the point before
  // its first curve step.
  std::int64_t fine_ultima = 1;  // last point laid by a curve record
  for (std::size_t k = 2; k < k_vuoto;) {
    const genere_passo gen = generi[k];
    std::size_t fine = k;
    while (fine + 1 < k_vuoto && generi[fine + 1] == gen) ++fine;
    if (gen != 0) {
      record_curva c;
      c.sinistra = gen < 0;
      c.classe = std::abs(gen);
      c.inizio = inizio_curva(static_cast<std::int64_t>(k), fine_ultima, ultimo, n);
      c.lunghezza = static_cast<std::int32_t>(static_cast<std::int64_t>(fine) - c.inizio);
      out.curve.push_back(c);
      fine_ultima = static_cast<std::int64_t>(fine);
    }
    k = fine + 1;
  }
  // Straight points after the last curve that the straight run to the end
  // does not lay (the reader stopped, or they are the last two points):
  // a curve of no length starting there lays them.
  const std::int64_t posati = static_cast<std::int64_t>(k_vuoto) - 1;
  const std::int64_t rettilineo_finale = out.interrotta == interruzione::nessuna ? ultimo - 2 : 1;
  if (posati > fine_ultima && posati > rettilineo_finale) {
    out.curve.push_back({false, 1, static_cast<std::int32_t>(posati), 0});
  } else if (!out.curve.empty() && fine_ultima == ultimo &&
             out.interrotta == interruzione::nessuna) {
    record_curva c = out.curve.back();
    c.lunghezza = static_cast<std::int32_t>(ultimo + 1 - c.inizio);
    out.oltre_l_ultimo = c;
  }
  return out;
}

}  // namespace scenario::decompile
