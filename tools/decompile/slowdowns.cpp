#include "tools/decompile/slowdowns.h"

#include <string>
#include <vector>

#include "compiler/format/codifica_celle.h"

namespace scenario::decompile {

namespace {

constexpr std::int64_t celle_avviso = distanza_avviso / metri_per_cella;  // warning cell, back
constexpr std::int64_t ultima_cella_senza_avviso = inizio_con_avviso / metri_per_cella + 1;

// What the start and end cells of one slowdown share.
bool stessi_valori(const cella& a, const cella& b) {
  return a.dato1 == b.dato1 && a.dato2 == b.dato2 && a.dato3 == b.dato3 && a.dato4 == 0 &&
         b.dato4 == 0 && a.dato5 == 0 && b.dato5 == 0;
}

}  // namespace

std::vector<rallentamento> recover_slowdowns(const std::vector<cella>& celle, notes& n) {
  const std::int64_t ultima = static_cast<std::int64_t>(celle.size()) - 1;
  auto at = [&](std::int64_t c) -> const cella& { return celle[static_cast<std::size_t>(c)]; };
  std::vector<bool> usata(celle.size(), false);

  std::vector<rallentamento> out;
  for (std::int64_t i0 = 0; i0 <= ultima; ++i0) {
    const cella& inizio = at(i0);
    if (inizio.tipo != tipo_cella::inizio_rallentamento) continue;
    usata[static_cast<std::size_t>(i0)] = true;
    rallentamento r;
    r.x = static_cast<std::int32_t>(posizione_oggetto(i0));
    const valori_rallentamento valori = spacchetta_rallentamento(inizio);
    r.v = valori.velocita;
    r.f_tt = valori.avviso;
    r.d_v = valori.d_v;

    // The end: the nearest free end cell with the same values, after the
    // start or else before it; none at all when the slowdown has no length.
    std::int64_t i1 = i0;
    auto cerca = [&](std::int64_t da, std::int64_t a, std::int64_t passo) {
      for (std::int64_t c = da; c != a; c += passo) {
        if (at(c).tipo == tipo_cella::fine_rallentamento && !usata[static_cast<std::size_t>(c)] &&
            stessi_valori(at(c), inizio)) {
          return c;
        }
      }
      return std::int64_t{-1};
    };
    if (const std::int64_t c = cerca(i0 + 1, ultima + 1, 1); c >= 0) {
      i1 = c;
    } else if (const std::int64_t d = cerca(i0 - 1, -1, -1); d >= 0) {
      i1 = d;
    }
    usata[static_cast<std::size_t>(i1)] = true;
    r.l = static_cast<std::int32_t>((i1 - i0) * metri_per_cella);

    if (i0 > ultima_cella_senza_avviso) {
      const std::int64_t k = i0 - celle_avviso;
      const bool avviso = k >= 0 && at(k).tipo == tipo_cella::avviso_rallentamento &&
                          at(k).dato1 == inizio.dato1 && at(k).dato2 == inizio.dato2;
      if (!avviso) {
        n.add({place::cell, i0},
              "a slowdown starting beyond 1500 m without its warning board "
              "1200 m before the start");
      } else {
        usata[static_cast<std::size_t>(k)] = true;
        // Approach cells 1 .. 4 going back from the cell before the warning.
        int presenti = 0;
        std::vector<std::int64_t> trovate;
        for (int a = 1; a <= n_celle_approccio; ++a) {
          const std::int64_t c = k - a;
          if (c < 0) break;
          const cella& x = at(c);
          const std::int16_t atteso_dato2 = r.d_v != 0 ? static_cast<std::int16_t>(a) : 0;
          if (x.tipo == tipo_cella::approccio_rallentamento && numero_approccio(x) == a &&
              x.dato2 == atteso_dato2) {
            ++presenti;
            trovate.push_back(c);
            usata[static_cast<std::size_t>(c)] = true;
          }
        }
        r.f_ta = presenti == n_celle_approccio ? 1 : 0;
        if (presenti != 0 && presenti != n_celle_approccio) {
          for (const std::int64_t c : trovate) {
            n.add({place::cell, c},
                  "a slowdown's warning board with only some of its four approach cells");
          }
        }
      }
    }
    out.push_back(r);
  }

  for (std::int64_t c = 0; c <= ultima; ++c) {
    if (usata[static_cast<std::size_t>(c)]) continue;
    const std::uint8_t t = at(c).tipo;
    if (t == tipo_cella::fine_rallentamento) {
      n.add({place::cell, c}, "a slowdown's end cell with no start cell of the same values");
    } else if (t == tipo_cella::avviso_rallentamento) {
      n.add({place::cell, c}, "a slowdown's warning board with no start cell 1200 m after it");
    } else if (t == tipo_cella::approccio_rallentamento) {
      n.add({place::cell, c}, "a slowdown's approach cell with no warning board after it");
    }
  }
  return out;
}

}  // namespace scenario::decompile
