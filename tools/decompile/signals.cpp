#include "tools/decompile/signals.h"

#include "compiler/placement_pass.h"
#include "tools/decompile/record_facts.h"

namespace scenario::decompile {

namespace {

std::int32_t floor_div_10(std::int32_t v) {
  return v >= 0 ? v / 10 : -((-v + 9) / 10);
}

// Tens and units: the left-hand and right-hand digit of a packed pair.
std::pair<std::int32_t, std::int32_t> decine_unita(std::int32_t v) {
  const std::int32_t d = floor_div_10(v);
  return {d, v - 10 * d};
}

// sx x 3 + dx, which dato4 holds as its units only (rapp x 10 + it): the
// approach marks hold it in full, as (it x 10 + r) in 8 bits. The mark 8
// cells back is the one no later signal writes over; a signal nearer the
// origin is the last record read, so its nearest mark stands.
std::int32_t lati(const std::vector<cella>& celle, std::size_t c) {
  const std::int32_t dato4 = celle[c].dato4;
  std::int64_t r = n_segni_segnale;
  while (r > 0 && static_cast<std::int64_t>(c) - passo_segni_segnale * r < 0) --r;
  if (r == 0) return dato4 - 10 * floor_div_10(dato4);
  const std::uint8_t segno = celle[c - static_cast<std::size_t>(passo_segni_segnale * r)].segno;
  // The smallest sum, non-negative first, that fits both.
  constexpr std::int32_t periodo = 640;  // 10 x 128: the period of both conditions
  for (std::int32_t passo = 0; passo < 2 * periodo; ++passo) {
    const std::int32_t l = passo < periodo ? passo : periodo - 1 - passo;
    if (static_cast<std::uint8_t>(l * 10 + r) == segno && (dato4 - l) % 10 == 0) return l;
  }
  return dato4 - 10 * floor_div_10(dato4);
}

}  // namespace

signal_recovery recover_signals(const std::vector<cella>& celle, notes& n) {
  signal_recovery out;
  // The last approach mark lies 8 cells before the signal.
  const std::int64_t prima_completa = passo_segni_segnale * n_segni_segnale;
  for (std::size_t c = 0; c < celle.size(); ++c) {
    const cella& x = celle[c];
    if (x.tipo != tipo_cella::segnale) continue;
    segnale s;
    s.posizione = static_cast<std::int32_t>((static_cast<std::int64_t>(c) - 1) * metri_per_cella);
    const std::int32_t somma = lati(celle, c);
    s.rapp = (x.dato4 - somma) / 10;
    // sx x 3 + dx: a left kind of 2 when the signal has an opening delay,
    // which only such signals keep.
    if (x.dato5 != 0) {
      s.sx = 2;
    } else {
      s.sx = somma >= 0 ? somma / 3 : -((-somma + 2) / 3);
    }
    s.dx = somma - 3 * s.sx;
    std::tie(s.s1, s.d1) = decine_unita(x.dato1);
    std::tie(s.s2, s.d2) = decine_unita(x.dato2);
    std::tie(s.s3, s.d3) = decine_unita(x.dato3);
    // 1 .. 100 are raised to 101 and the delay keeps its low 8 bits.
    s.tempo = x.dato5 != 0 && x.dato5 < tempo_minimo_segnale ? x.dato5 + 256 : x.dato5;
    if (static_cast<std::int64_t>(c) < prima_completa) {
      if (out.ultimo) {
        n.add({place::cell, static_cast<std::int64_t>(c)},
              "a second signal nearer than 350 m to the origin: the first one stops the reader");
        out.segnali.push_back(s);
      } else {
        out.ultimo = s;
      }
    } else {
      out.segnali.push_back(s);
    }
  }
  return out;
}

}  // namespace scenario::decompile
