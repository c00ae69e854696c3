#include "tools/decompile/spans.h"

#include <string>

#include "compiler/placement_pass.h"
#include "tools/decompile/profiles.h"
#include "tools/decompile/record_facts.h"

namespace scenario::decompile {

namespace {

struct tratto {
  std::int64_t prima = 0, ultima = 0;  // cells
  std::uint8_t tipo = 0;
};

// The cells where a span from `prima` to `ultima` puts its markers: the
// 4th, 8th, ... counted from its first cell.
template <typename F>
void per_ogni_marcatore(const tratto& t, F&& f) {
  for (std::int64_t c = t.prima + passo_marcatori_montagna - 1; c <= t.ultima;
       c += passo_marcatori_montagna) {
    f(c);
  }
}

// The record's type for a span type (a byte) with or without markers.
std::int32_t tipo_scritto(std::uint8_t tipo, bool marcatori) {
  if (marcatori) return std::int32_t{tipo} + scarto_marcatori_montagna;
  // A type above 10 without markers: the same low byte, below 10.
  return tipo <= scarto_marcatori_montagna ? tipo : std::int32_t{tipo} - 256;
}

}  // namespace

std::vector<record_montagna> recover_spans(const std::vector<cella>& celle, notes& n) {
  const std::int64_t ultima_cella = static_cast<std::int64_t>(celle.size()) - 1;
  auto at = [&](std::int64_t c) -> const cella& { return celle[static_cast<std::size_t>(c)]; };

  std::vector<tratto> tratti;
  for (std::int64_t c = 0; c <= ultima_cella; ++c) {
    const std::uint8_t tipo = at(c).montagna;
    if (tipo == 0) continue;
    if (!tratti.empty() && tratti.back().ultima == c - 1 && tratti.back().tipo == tipo) {
      tratti.back().ultima = c;
    } else {
      tratti.push_back({c, c, tipo});
    }
  }

  std::vector<bool> spiegato(celle.size(), false);  // tunnel markers a span puts there
  std::vector<record_montagna> out;
  std::int64_t fine_precedente = 0;  // metres: where the span recorded before ends
  bool prima = true;
  for (const tratto& t : tratti) {
    bool marcatori = false;
    per_ogni_marcatore(t, [&](std::int64_t c) {
      marcatori = marcatori || at(c).tipo == tipo_cella::marcatore_montagna;
    });
    if (marcatori) {
      per_ogni_marcatore(t, [&](std::int64_t c) {
        spiegato[static_cast<std::size_t>(c)] = true;
        if (at(c).tipo == tipo_cella::libera) {
          n.add({place::cell, c},
                "a fourth cell of a span with tunnel markers holds no marker and no object");
        }
      });
    }
    const std::int64_t inizio = t.prima * metri_per_cella;
    const std::int64_t fine = (t.ultima + 1) * metri_per_cella;
    // A span that starts 150 m or less after the one recorded before it
    // becomes type 3: a span recorded in between, over no cell, keeps this
    // one's own type.
    if (!prima && inizio - fine_precedente <= distanza_tipo_3 && t.tipo != tipo_montagna_ravvicinata) {
      const std::int32_t lontano = -lunghezza_percorso_massima;
      out.push_back({posizione_iniziale(ultima_cella), lontano, 0});
    }
    out.push_back({static_cast<std::int32_t>(inizio), static_cast<std::int32_t>(fine),
                   tipo_scritto(t.tipo, marcatori)});
    fine_precedente = fine;
    prima = false;
  }
  for (std::int64_t c = 0; c <= ultima_cella; ++c) {
    if (at(c).tipo == tipo_cella::marcatore_montagna && !spiegato[static_cast<std::size_t>(c)]) {
      n.add({place::cell, c}, "a tunnel marker (code 11) that is not a fourth cell of a span");
    }
  }
  if (out.size() > static_cast<std::size_t>(n_montagne_massimo)) {
    n.add({place::cell, tratti.back().prima},
          "the spans take more than 80 records: the reader stops at the 81st");
  }
  return out;
}

}  // namespace scenario::decompile
