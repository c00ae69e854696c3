#include "compiler/placement/posa_marcatori.h"

#include <cstddef>
#include <optional>

#include "compiler/format/codifica_celle.h"
#include "compiler/placement/minimo.h"

namespace scenario {

namespace {

// The pass's view of the cells: indices are checked against the array's
// bounds, so no rule can reach outside it.
class passo {
 public:
  passo(modello_percorso& m, sorgenti_modello* s, traccia_lettura* traccia)
      : m_(m), s_(s), traccia_(traccia), ultima_(static_cast<std::int32_t>(m.celle.size()) - 1) {}

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
        if (fine) regola_d(i, *fine);
      }
    }
  }

 private:
  cella& cella_at(std::int32_t k) { return m_.celle[static_cast<std::size_t>(k)]; }

  // Cells past the last one count as taken: nothing can be placed there.
  bool libera(std::int32_t k) { return k >= 0 && k <= ultima_ && cella_libera(cella_at(k)); }

  // The record of the object in cell k, when sources are kept.
  std::int32_t record_di(std::int32_t k) const {
    return s_ != nullptr ? s_->celle[static_cast<std::size_t>(k)].oggetto : nessun_record;
  }

  // A marker in cell k, for the object (a slowdown's cell) in cell `per`.
  void metti_marcatore(std::int32_t k, std::int32_t per, regola_posa regola) {
    impacca_marcatore(cella_at(k), valore_marcatore);
    if (s_ != nullptr) {
      s_->celle[static_cast<std::size_t>(k)].oggetto = record_di(per);
      s_->celle[static_cast<std::size_t>(k)].regola = regola;
    }
  }

  // Code c at cell k x 50, for the object in cell `di`; `presa` is a cell
  // that left no room.
  void segnala(codice c, std::int32_t k, std::int32_t di, std::int32_t presa, regola_posa regola) {
    m_.codice_errore = numero(c);
    m_.posizione_errore = k * metri_per_cella;
    if (traccia_ == nullptr) return;
    guasto g;
    g.codice_guasto = c;
    g.regola = regola;
    g.file = file_sorgente::servizio;
    g.posizione_errore = m_.posizione_errore;
    g.record = record_di(di);
    if (s_ != nullptr) {
      if (const record_letto* r = s_->trova(g.record)) {
        g.ha_record = true;
        g.tipo = r->tipo;
        g.file = r->file;
        g.dove = r->chiave;
      }
    }
    g.cella = presa;
    if (presa >= 0 && presa <= ultima_) {
      g.tipo_occupante = cella_at(presa).tipo;
      g.record_occupante = record_di(presa);
      if (s_ != nullptr) g.regola_occupante = s_->celle[static_cast<std::size_t>(presa)].regola;
    }
    traccia_->guasti.push_back(g);
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
        metti_marcatore(a, i, regola_posa::segnale_prima_avviso);
      } else if (libera(b)) {
        metti_marcatore(b, i, regola_posa::segnale_prima_avviso);
      } else if (cella_at(a).tipo == tipo_cella::marcatore_valore) {
        cella_at(a).dato1 = minimo(valore_marcatore, cella_at(a).dato1);
      } else if (cella_at(b).tipo == tipo_cella::marcatore_valore) {
        cella_at(b).dato1 = minimo(valore_marcatore, cella_at(b).dato1);
      } else {
        segnala(codice::marcatore_segnale_senza_posto, s, s, a, regola_posa::segnale_prima_avviso);
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
          metti_marcatore(i - d, i, regola_posa::prima_inizio);
          messo = true;
        }
      }
      if (!messo) {
        segnala(codice::marcatore_avvicinamento_senza_posto, i, i, i - g.primo,
                regola_posa::prima_inizio);
      }
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
          metti_marcatore(c, i, regola_posa::lungo_rallentamento);
          conta = 0;
        } else if (libera(c - 1)) {
          metti_marcatore(c - 1, i, regola_posa::lungo_rallentamento);
          conta = 1;
        } else if (libera(c + 1)) {
          metti_marcatore(c + 1, i, regola_posa::lungo_rallentamento);
          conta = -1;
        } else {
          // The counter stays at 8, so this walk places no further marker.
          segnala(codice::marcatore_rallentamento_senza_posto, c, i, c,
                  regola_posa::lungo_rallentamento);
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
  void regola_d(std::int32_t i, std::int32_t fine) {
    std::int32_t bersaglio = 0;
    for (std::int32_t k = fine; k <= fine + celle_avanti_fine && k <= ultima_; ++k) {
      if (cella_at(k).tipo == tipo_cella::segnale) {
        bersaglio = k - 1;
        break;
      }
    }
    if (bersaglio <= 0) return;
    if (libera(bersaglio)) {
      metti_marcatore(bersaglio, i, regola_posa::prima_segnale_dopo_fine);
    } else if (libera(bersaglio - 1)) {
      metti_marcatore(bersaglio - 1, i, regola_posa::prima_segnale_dopo_fine);
    } else {
      segnala(codice::marcatore_rallentamento_senza_posto, fine, i, bersaglio,
              regola_posa::prima_segnale_dopo_fine);
    }
  }

  modello_percorso& m_;
  sorgenti_modello* s_;
  traccia_lettura* traccia_;
  const std::int32_t ultima_;
};

}  // namespace

void posiziona_marcatori(modello_percorso& m, sorgenti_modello* s, traccia_lettura* traccia) {
  if (m.celle.empty()) return;
  passo(m, s, traccia).esegui();
}

}  // namespace scenario
