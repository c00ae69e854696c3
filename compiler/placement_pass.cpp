#include "compiler/placement_pass.h"

#include <cstddef>
#include <optional>

#include "compiler/minimo.h"

namespace scenario {

namespace {

// The pass's view of the cells: indices are checked against the array's
// bounds, so no rule can reach outside it.
class passo {
 public:
  explicit passo(modello_percorso& m)
      : m_(m), ultima_(static_cast<std::int32_t>(m.celle.size()) - 1) {}

  void esegui() {
    // Loop to U - 2: a warning board or slowdown start in the last two cells
    // is left as it is.
    for (std::int32_t i = 1; i <= ultima_ - 2; ++i) {
      const std::uint8_t tipo = cella_at(i).tipo;
      if (tipo == tipo_cella::avviso_rallentamento) {
        regola_a(i);
      } else if (tipo == tipo_cella::inizio_rallentamento) {
        regola_b(i);
        std::optional<std::int32_t> fine;
        if (cella_at(i).dato1 < velocita_rallentamento_veloce) {
          fine = regola_c(i);
        } else {
          fine = cella_fine(i);
        }
        if (fine) regola_d(*fine);
      }
    }
  }

 private:
  cella& cella_at(std::int32_t k) { return m_.celle[static_cast<std::size_t>(k)]; }

  // Cells past the last one count as taken: nothing can be placed there.
  bool libera(std::int32_t k) { return k >= 0 && k <= ultima_ && cella_libera(cella_at(k)); }

  void metti_marcatore(std::int32_t k) {
    cella_at(k).tipo = tipo_cella::marcatore_valore;
    cella_at(k).dato1 = valore_marcatore;
  }

  void segnala(std::int32_t codice, std::int32_t k) {
    m_.codice_errore = codice;
    m_.posizione_errore = k * metri_per_cella;
  }

  // Rule A: a marker just before every signal in the 20 cells before a
  // warning board (cell i). Signals in cells below 3 are not looked at, so
  // the two cells before a signal always exist.
  void regola_a(std::int32_t i) {
    for (std::int32_t k = 1; k <= celle_indietro_avviso && i - k >= 3; ++k) {
      const std::int32_t s = i - k;
      if (cella_at(s).tipo != tipo_cella::segnale) continue;
      const std::int32_t a = s - 1;
      const std::int32_t b = s - 2;
      if (libera(a)) {
        metti_marcatore(a);
      } else if (libera(b)) {
        metti_marcatore(b);
      } else if (cella_at(a).tipo == tipo_cella::marcatore_valore) {
        cella_at(a).dato1 = minimo(valore_marcatore, cella_at(a).dato1);
      } else if (cella_at(b).tipo == tipo_cella::marcatore_valore) {
        cella_at(b).dato1 = minimo(valore_marcatore, cella_at(b).dato1);
      } else {
        segnala(11, s);
      }
    }
  }

  // Rule B: three groups of candidates before a slowdown's start (cell i),
  // 250-350 m, 550-650 m and 900-1000 m back. An existing marker is no room.
  void regola_b(std::int32_t i) {
    struct gruppo {
      std::int32_t da_superare;
      std::int32_t primo;
    };
    static constexpr gruppo gruppi[] = {{7, 5}, {13, 11}, {20, 18}};
    for (const gruppo& g : gruppi) {
      if (i <= g.da_superare) continue;
      bool messo = false;
      for (std::int32_t d = g.primo; d < g.primo + 3 && !messo; ++d) {
        if (libera(i - d)) {
          metti_marcatore(i - d);
          messo = true;
        }
      }
      if (!messo) segnala(12, i);
    }
  }

  // Rule C: markers every 8 cells along a slowdown slower than 110 km/h,
  // walking from its start (cell i) to its end cell (code 2). Returns the
  // end cell. The walk stops at the last cell when no end cell comes first:
  // the markers placed up to there stay, nothing more is recorded, and the
  // result is empty. A marker point at the last cell, with the cell and the
  // one before it taken, is a code 13: the cell after it does not exist.
  std::optional<std::int32_t> regola_c(std::int32_t i) {
    std::int32_t conta = 0;
    std::int32_t c = i;
    while (c < ultima_) {
      ++c;
      ++conta;
      if (conta == passo_marcatori) {
        if (libera(c)) {
          metti_marcatore(c);
          conta = 0;
        } else if (libera(c - 1)) {
          metti_marcatore(c - 1);
          conta = 1;
        } else if (libera(c + 1)) {
          metti_marcatore(c + 1);
          conta = -1;
        } else {
          // The counter stays at 8, so this walk places no further marker.
          segnala(13, c);
        }
      }
      if (cella_at(c).tipo == tipo_cella::fine_rallentamento) return c;
    }
    return std::nullopt;
  }

  // The end cell of the slowdown starting at cell i, found as rule C's walk
  // would find it (the first code 2 after i), for a slowdown too fast for
  // rule C. Empty when there is none up to the last cell.
  std::optional<std::int32_t> cella_fine(std::int32_t i) {
    for (std::int32_t c = i + 1; c <= ultima_; ++c) {
      if (cella_at(c).tipo == tipo_cella::fine_rallentamento) return c;
    }
    return std::nullopt;
  }

  // Rule D: a marker right before (or two cells before) the first signal
  // among the slowdown's end cell and the 12 cells after it. The look-ahead
  // stops at the last cell. A slowdown without an end cell gets no rule D.
  void regola_d(std::int32_t fine) {
    std::int32_t bersaglio = 0;
    for (std::int32_t k = fine; k <= fine + celle_avanti_fine && k <= ultima_; ++k) {
      if (cella_at(k).tipo == tipo_cella::segnale) {
        bersaglio = k - 1;
        break;
      }
    }
    if (bersaglio <= 0) return;
    if (libera(bersaglio)) {
      metti_marcatore(bersaglio);
    } else if (libera(bersaglio - 1)) {
      metti_marcatore(bersaglio - 1);
    } else {
      segnala(13, fine);
    }
  }

  modello_percorso& m_;
  const std::int32_t ultima_;
};

}  // namespace

void posiziona_marcatori(modello_percorso& m) {
  if (m.celle.empty()) return;
  passo(m).esegui();
}

}  // namespace scenario
