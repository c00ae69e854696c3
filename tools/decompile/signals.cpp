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
    const auto [rapp, lati] = decine_unita(x.dato4);
    s.rapp = rapp;
    // sx x 3 + dx: a left kind of 2 when the signal has an opening delay,
    // which only such signals keep.
    if (x.dato5 != 0) {
      s.sx = 2;
    } else {
      s.sx = lati >= 0 ? lati / 3 : -((-lati + 2) / 3);
    }
    s.dx = lati - 3 * s.sx;
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
