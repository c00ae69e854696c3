// The journal that sets a faulty record aside: whatever order a record's
// whole-cell and profile writes come in, undoing them gives back every
// cell and every source as they were.
#include "compiler/recorders/scrittura.h"

#include <gtest/gtest.h>

#include <random>

namespace scenario {
namespace {

bool uguali(const cella& a, const cella& b) {
  return a.tipo == b.tipo && a.dato1 == b.dato1 && a.dato2 == b.dato2 && a.dato3 == b.dato3 &&
         a.dato4 == b.dato4 && a.dato5 == b.dato5 && a.segno == b.segno &&
         a.montagna == b.montagna && a.velocita == b.velocita && a.pendenza == b.pendenza &&
         a.aderenza == b.aderenza;
}

bool uguali(const origine_cella& a, const origine_cella& b) {
  return a.oggetto == b.oggetto && a.segno == b.segno && a.montagna == b.montagna &&
         a.velocita == b.velocita && a.pendenza == b.pendenza && a.aderenza == b.aderenza &&
         a.regola == b.regola;
}

TEST(GiornaleModello, UndoingAnyMixOfWritesGivesBackTheCellsAndSources) {
  std::mt19937 caso(7547);
  for (int prova = 0; prova < 400; ++prova) {
    // Every other try without sources: the reading past faults may be asked
    // for without them.
    const bool con_sorgenti = prova % 2 == 0;
    modello_percorso m;
    sorgenti_modello s;
    m.celle.resize(6);
    s.celle.resize(6);
    for (std::size_t k = 0; k < m.celle.size(); ++k) {
      const auto v = static_cast<std::uint8_t>(caso());
      m.celle[k] = {v,
                    1,
                    2,
                    3,
                    4,
                    v,
                    v,
                    v,
                    static_cast<std::uint8_t>(v + 1),
                    static_cast<std::uint8_t>(v + 2),
                    static_cast<std::uint8_t>(v + 3)};
      s.celle[k] = {static_cast<std::int32_t>(k), 10, 11, 12, 13, 14, regola_posa::nessuna};
    }
    const modello_percorso prima = m;
    const sorgenti_modello prima_s = s;
    giornale_modello g;
    scrittura w(m, con_sorgenti ? &s : nullptr, &g);
    w.per_record(99);
    for (int n = 0; n < 12; ++n) {
      const std::int64_t i = static_cast<std::int64_t>(caso() % m.celle.size());
      const auto v = static_cast<std::uint8_t>(caso());
      switch (caso() % 6) {
        case 0:
          w.oggetto(i).tipo = v;
          break;
        case 1:
          w.segno(i, v);
          break;
        case 2:
          w.montagna(i, v);
          break;
        case 3:
          w.pendenza(i, v, 50);
          break;
        case 4:
          w.velocita(i, v, 51);
          break;
        default:
          w.aderenza(i, v, 52);
          break;
      }
    }
    g.annulla(m, con_sorgenti ? &s : nullptr);
    for (std::size_t k = 0; k < m.celle.size(); ++k) {
      EXPECT_TRUE(uguali(m.celle[k], prima.celle[k])) << "try " << prova << " cell " << k;
      EXPECT_TRUE(uguali(s.celle[k], prima_s.celle[k])) << "try " << prova << " cell " << k;
    }
  }
}

}  // namespace
}  // namespace scenario
