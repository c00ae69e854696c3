#include "compiler/placement/posa_marcatori.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace scenario {
namespace {

constexpr std::int32_t ultima = 200;  // U: cells 0 .. 200

// Cells 0 .. U, all free.
modello_percorso modello_vuoto(std::int32_t u = ultima) {
  modello_percorso m;
  m.celle.resize(static_cast<std::size_t>(u) + 1);
  return m;
}

cella& at(modello_percorso& m, std::int32_t k) {
  return m.celle[static_cast<std::size_t>(k)];
}

void metti(modello_percorso& m, std::int32_t k, std::uint8_t tipo, std::int16_t dato1 = 0) {
  at(m, k).tipo = tipo;
  at(m, k).dato1 = dato1;
}

constexpr std::uint8_t segnale = tipo_cella::segnale;
constexpr std::uint8_t fine = tipo_cella::fine_rallentamento;
constexpr std::uint8_t inizio = tipo_cella::inizio_rallentamento;
constexpr std::uint8_t avviso = tipo_cella::avviso_rallentamento;
constexpr std::uint8_t marcatore = tipo_cella::marcatore_valore;
constexpr std::uint8_t occupata = tipo_cella::fine_stazione;  // any object that is not free

// The cells the pass turned into markers, in index order.
std::vector<std::int32_t> marcatori_nuovi(const modello_percorso& prima,
                                          const modello_percorso& dopo) {
  std::vector<std::int32_t> out;
  for (std::size_t k = 0; k < dopo.celle.size(); ++k) {
    if (dopo.celle[k].tipo == marcatore && prima.celle[k].tipo != marcatore) {
      EXPECT_EQ(dopo.celle[k].dato1, 180) << "cell " << k;
      out.push_back(static_cast<std::int32_t>(k));
    }
  }
  return out;
}

std::vector<std::int32_t> esegui(modello_percorso& m) {
  const modello_percorso prima = m;
  posiziona_marcatori(m);
  return marcatori_nuovi(prima, m);
}

using celle_attese = std::vector<std::int32_t>;

// Rule A: signals among the 20 cells before a warning board.

TEST(RegolaA, MarkerBeforeEverySignalWithin20Cells) {
  auto m = modello_vuoto();
  metti(m, 100, avviso);
  metti(m, 99, segnale);  // k = 1
  metti(m, 90, segnale);
  metti(m, 80, segnale);  // k = 20: still looked at
  EXPECT_EQ(esegui(m), (celle_attese{79, 89, 98}));
  EXPECT_EQ(m.codice_errore, 0);

  auto n = modello_vuoto();
  metti(n, 100, avviso);
  metti(n, 79, segnale);  // k = 21: not looked at
  EXPECT_EQ(esegui(n), celle_attese{});
}

TEST(RegolaA, FallsBackToTheSecondCellBefore) {
  auto m = modello_vuoto();
  metti(m, 100, avviso);
  metti(m, 95, segnale);
  metti(m, 94, occupata);
  EXPECT_EQ(esegui(m), (celle_attese{93}));
  // A tunnel marker counts as free and is overwritten.
  auto t = modello_vuoto();
  metti(t, 100, avviso);
  metti(t, 95, segnale);
  metti(t, 94, tipo_cella::marcatore_montagna);
  EXPECT_EQ(esegui(t), (celle_attese{94}));
}

TEST(RegolaA, CapsAnExistingMarkerAt180) {
  for (const std::int16_t valore : {std::int16_t{250}, std::int16_t{120}, std::int16_t{180}}) {
    auto m = modello_vuoto();
    metti(m, 100, avviso);
    metti(m, 95, segnale);
    metti(m, 94, marcatore, valore);
    metti(m, 93, occupata);
    EXPECT_EQ(esegui(m), celle_attese{});
    EXPECT_EQ(at(m, 94).dato1, std::min<std::int16_t>(valore, 180));
    EXPECT_EQ(m.codice_errore, 0);
  }
  // Cell a taken by another object, cell b a marker: b is capped.
  auto m = modello_vuoto();
  metti(m, 100, avviso);
  metti(m, 95, segnale);
  metti(m, 94, occupata);
  metti(m, 93, marcatore, 250);
  esegui(m);
  EXPECT_EQ(at(m, 93).dato1, 180);
  EXPECT_EQ(at(m, 94).dato1, 0);
  EXPECT_EQ(m.codice_errore, 0);
}

TEST(RegolaA, NoRoomIsCode11AtTheSignalsCell) {
  auto m = modello_vuoto(500);
  metti(m, 430, avviso);
  metti(m, 423, segnale);  // a signal recorded at 21100 m
  metti(m, 422, occupata);
  metti(m, 421, segnale);
  metti(m, 420, occupata);
  metti(m, 419, occupata);
  EXPECT_EQ(esegui(m), celle_attese{});
  EXPECT_EQ(m.codice_errore, 11);
  // The last signal treated is the farther one (cell 421): its error is the one kept.
  EXPECT_EQ(m.posizione_errore, 421 * 50);

  auto n = modello_vuoto(500);
  metti(n, 430, avviso);
  metti(n, 423, segnale);
  metti(n, 422, occupata);
  metti(n, 421, occupata);
  esegui(n);
  EXPECT_EQ(n.codice_errore, 11);
  EXPECT_EQ(n.posizione_errore, 21150);
}

TEST(RegolaA, LooksBackNoLowerThanCell3) {
  // A board at index 3 looks at nothing.
  auto m = modello_vuoto();
  metti(m, 3, avviso);
  metti(m, 2, segnale);
  metti(m, 1, segnale);
  EXPECT_EQ(esegui(m), celle_attese{});

  // At index 4 it looks at cell 3 alone.
  auto n = modello_vuoto();
  metti(n, 4, avviso);
  metti(n, 3, segnale);
  EXPECT_EQ(esegui(n), (celle_attese{2}));
  auto o = modello_vuoto();
  metti(o, 4, avviso);
  metti(o, 2, segnale);
  EXPECT_EQ(esegui(o), celle_attese{});

  // Signal in cell 3, cell 2 taken: the marker goes to cell 1.
  auto p = modello_vuoto();
  metti(p, 10, avviso);
  metti(p, 3, segnale);
  metti(p, 2, occupata);
  EXPECT_EQ(esegui(p), (celle_attese{1}));
}

TEST(RegolaA, NoSignalChangesNothing) {
  auto m = modello_vuoto();
  metti(m, 100, avviso);
  metti(m, 90, occupata);
  EXPECT_EQ(esegui(m), celle_attese{});
  EXPECT_EQ(m.codice_errore, 0);
}

// Rule B: three groups before a slowdown's start. Speed 120 and no end cell
// keep rules C and D out of these cases.

TEST(RegolaB, GroupsApplyByDistanceFromTheLineStart) {
  auto m7 = modello_vuoto();
  metti(m7, 7, inizio, 120);
  EXPECT_EQ(esegui(m7), celle_attese{});

  auto m8 = modello_vuoto();
  metti(m8, 8, inizio, 120);
  EXPECT_EQ(esegui(m8), (celle_attese{3}));

  auto m14 = modello_vuoto();
  metti(m14, 14, inizio, 120);
  EXPECT_EQ(esegui(m14), (celle_attese{3, 9}));

  auto m21 = modello_vuoto();
  metti(m21, 21, inizio, 120);
  EXPECT_EQ(esegui(m21), (celle_attese{3, 10, 16}));
  EXPECT_EQ(m21.codice_errore, 0);
}

TEST(RegolaB, FirstFreeCandidateInOrder) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 120);
  metti(m, 95, occupata);  // group 1: 95 taken, 94 free
  metti(m, 89, occupata);  // group 2: 89, 88 taken, 87 free
  metti(m, 88, segnale);
  metti(m, 82, tipo_cella::marcatore_montagna);  // group 3: free
  EXPECT_EQ(esegui(m), (celle_attese{82, 87, 94}));
  EXPECT_EQ(m.codice_errore, 0);
}

TEST(RegolaB, FullGroupIsCode12AtTheStartCell) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 120);
  // Group 2 all taken, one by an existing marker, which is no room and is not capped.
  metti(m, 89, occupata);
  metti(m, 88, marcatore, 250);
  metti(m, 87, occupata);
  EXPECT_EQ(esegui(m), (celle_attese{82, 95}));
  EXPECT_EQ(m.codice_errore, 12);
  EXPECT_EQ(m.posizione_errore, 5000);
  EXPECT_EQ(at(m, 88).dato1, 250);
}

// Rule C: markers every 8 cells along a slowdown slower than 110 km/h.

TEST(RegolaC, EveryEightCellsToTheEnd) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 120, fine);
  // Rule B puts 95, 89, 82; rule C 108 and 116.
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95, 108, 116}));
  EXPECT_EQ(m.codice_errore, 0);
}

TEST(RegolaC, OnlyBelow110) {
  auto lento = modello_vuoto();
  metti(lento, 100, inizio, 105);
  metti(lento, 120, fine);
  EXPECT_EQ(esegui(lento), (celle_attese{82, 89, 95, 108, 116}));

  auto veloce = modello_vuoto();
  metti(veloce, 100, inizio, 110);
  metti(veloce, 120, fine);
  EXPECT_EQ(esegui(veloce), (celle_attese{82, 89, 95}));
}

TEST(RegolaC, ShortSlowdownGetsNoMarker) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 107, fine);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95}));
}

TEST(RegolaC, TakenCellsShiftTheSpacing) {
  // 108 taken: marker at 107, the next 8 cells after it, at 115.
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 108, occupata);
  metti(m, 130, fine);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95, 107, 115, 123}));

  // 108 and 107 taken: marker at 109, then 117, 125.
  auto n = modello_vuoto();
  metti(n, 100, inizio, 60);
  metti(n, 107, occupata);
  metti(n, 108, occupata);
  metti(n, 130, fine);
  EXPECT_EQ(esegui(n), (celle_attese{82, 89, 95, 109, 117, 125}));
  EXPECT_EQ(n.codice_errore, 0);
}

TEST(RegolaC, NoRoomIsCode13AndEndsTheWalksMarkers) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 107, occupata);
  metti(m, 108, occupata);
  metti(m, 109, occupata);
  metti(m, 130, fine);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95}));
  EXPECT_EQ(m.codice_errore, 13);
  EXPECT_EQ(m.posizione_errore, 108 * 50);
}

TEST(RegolaC, EndCellAtAMarkerPoint) {
  // The end cell is not free: the marker goes to the cell before it...
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 108, fine);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95, 107}));
  // ...or, that one taken, to the cell after it.
  auto n = modello_vuoto();
  metti(n, 100, inizio, 60);
  metti(n, 107, occupata);
  metti(n, 108, fine);
  EXPECT_EQ(esegui(n), (celle_attese{82, 89, 95, 109}));
}

// Rule D: a marker before the first signal from the end cell to 12 cells after it.

TEST(RegolaD, MarkerBeforeTheFirstSignalAfterTheEnd) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 110, fine);
  metti(m, 115, segnale);
  metti(m, 118, segnale);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95, 108, 114}));
}

TEST(RegolaD, LooksTwelveCellsAhead) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 110, fine);
  metti(m, 122, segnale);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95, 108, 121}));

  auto n = modello_vuoto();
  metti(n, 100, inizio, 60);
  metti(n, 110, fine);
  metti(n, 123, segnale);
  EXPECT_EQ(esegui(n), (celle_attese{82, 89, 95, 108}));
}

TEST(RegolaD, FallsBackOneCellThenCode13AtTheEndCell) {
  auto m = modello_vuoto();
  metti(m, 100, inizio, 60);
  metti(m, 110, fine);
  metti(m, 115, segnale);
  metti(m, 114, occupata);
  EXPECT_EQ(esegui(m), (celle_attese{82, 89, 95, 108, 113}));

  auto n = modello_vuoto();
  metti(n, 100, inizio, 60);
  metti(n, 110, fine);
  metti(n, 115, segnale);
  metti(n, 114, occupata);
  metti(n, 113, marcatore, 250);  // an existing marker is no room
  EXPECT_EQ(esegui(n), (celle_attese{82, 89, 95, 108}));
  EXPECT_EQ(n.codice_errore, 13);
  EXPECT_EQ(n.posizione_errore, 110 * 50);
  EXPECT_EQ(at(n, 113).dato1, 250);
}

TEST(RegolaD, FastSlowdownLooksAheadFromItsEndCell) {
  // No rule C markers, but rule D still looks from the end cell (110), not
  // from wherever an earlier rule left its counter: the warning board's full
  // look-back ends at 21, and a look-ahead from cell 21 would find the
  // signal at 31 and put a marker at 29.
  auto m = modello_vuoto();
  metti(m, 50, avviso);
  metti(m, 100, inizio, 120);
  metti(m, 110, fine);
  metti(m, 31, segnale);
  metti(m, 40, segnale);
  metti(m, 115, segnale);
  EXPECT_EQ(esegui(m), (celle_attese{30, 39, 82, 89, 95, 114}));
  EXPECT_EQ(m.codice_errore, 0);
}

// The open cases at the end of the cells.

TEST(CasiAperti, SlowdownWithoutEndWalksToTheLastCell) {
  // Slow: markers every 8 cells up to the last cell, nothing recorded, no
  // rule D (the signal at 185 is 5 cells after the start but gets nothing).
  auto m = modello_vuoto();
  metti(m, 180, inizio, 60);
  metti(m, 185, segnale);
  EXPECT_EQ(esegui(m), (celle_attese{162, 169, 175, 188, 196}));
  EXPECT_EQ(m.codice_errore, 0);

  // Fast: no end cell, so no rule D either.
  auto n = modello_vuoto();
  metti(n, 180, inizio, 120);
  metti(n, 185, segnale);
  EXPECT_EQ(esegui(n), (celle_attese{162, 169, 175}));
}

TEST(CasiAperti, MarkerPointOnTheLastCell) {
  // The walk's marker point is the last cell (200), it and cell 199 are
  // taken and there is no cell 201: code 13 at 200 x 50.
  auto m = modello_vuoto();
  metti(m, 192, inizio, 60);
  metti(m, 199, occupata);
  metti(m, 200, occupata);
  esegui(m);
  EXPECT_EQ(m.codice_errore, 13);
  EXPECT_EQ(m.posizione_errore, 10000);

  // A free last cell takes the marker.
  auto o = modello_vuoto();
  metti(o, 192, inizio, 60);
  EXPECT_EQ(esegui(o), (celle_attese{174, 181, 187, 200}));
  EXPECT_EQ(o.codice_errore, 0);

  // The same with the end cell on the last cell.
  auto n = modello_vuoto();
  metti(n, 192, inizio, 60);
  metti(n, 199, occupata);
  metti(n, 200, fine);
  esegui(n);
  EXPECT_EQ(n.codice_errore, 13);
  EXPECT_EQ(n.posizione_errore, 10000);
}

// The fault names the cell that left no room and what holds it, the last
// cell too, and which rule put a marker there.
TEST(CasiAperti, NoRoomAtTheLastCellNamesWhatHoldsIt) {
  auto m = modello_vuoto();
  metti(m, 192, inizio, 60);
  metti(m, 199, occupata);
  metti(m, 200, marcatore, 150);
  sorgenti_modello s;
  s.celle.assign(m.celle.size(), origine_cella{});
  s.celle[200].oggetto = 7;
  s.celle[200].regola = regola_posa::prima_segnale_dopo_fine;
  traccia_lettura t;
  posiziona_marcatori(m, &s, &t);
  EXPECT_EQ(m.codice_errore, 13);
  ASSERT_EQ(t.guasti.size(), 1u);
  const guasto& g = t.guasti[0];
  EXPECT_EQ(g.regola, regola_posa::lungo_rallentamento);
  EXPECT_EQ(g.cella, 200);
  EXPECT_EQ(g.posizione_errore, 10000);
  EXPECT_EQ(g.tipo_occupante, marcatore);
  EXPECT_EQ(g.record_occupante, 7);
  EXPECT_EQ(g.regola_occupante, regola_posa::prima_segnale_dopo_fine);
}

TEST(CasiAperti, LookAheadStopsAtTheLastCell) {
  auto m = modello_vuoto();
  metti(m, 190, inizio, 120);
  metti(m, 195, fine);
  metti(m, 200, segnale);
  EXPECT_EQ(esegui(m), (celle_attese{172, 179, 185, 199}));

  auto n = modello_vuoto();
  metti(n, 190, inizio, 120);
  metti(n, 197, fine);
  EXPECT_EQ(esegui(n), (celle_attese{172, 179, 185}));
  EXPECT_EQ(n.codice_errore, 0);
}

TEST(Passo, StopsAtUMinus2) {
  // Warning boards in the last two cells are not treated; at U - 2 they are.
  auto m = modello_vuoto();
  metti(m, 199, avviso);
  metti(m, 197, segnale);
  EXPECT_EQ(esegui(m), celle_attese{});
  auto n = modello_vuoto();
  metti(n, 198, avviso);
  metti(n, 196, segnale);
  EXPECT_EQ(esegui(n), (celle_attese{195}));
  // Nor are slowdown starts.
  auto o = modello_vuoto();
  metti(o, 199, inizio, 60);
  EXPECT_EQ(esegui(o), celle_attese{});
}

TEST(Passo, LaterErrorReplacesTheEarlierOne) {
  auto m = modello_vuoto();
  metti(m, 50, avviso);
  metti(m, 45, segnale);
  metti(m, 44, occupata);
  metti(m, 43, occupata);
  metti(m, 100, inizio, 120);
  metti(m, 95, occupata);
  metti(m, 94, occupata);
  metti(m, 93, occupata);
  m.posizione_errore = 7;
  esegui(m);
  EXPECT_EQ(m.codice_errore, 12);
  EXPECT_EQ(m.posizione_errore, 5000);
}

TEST(Passo, ChangesOnlyTipoAndDato1) {
  auto m = modello_vuoto();
  for (auto& c : m.celle) {
    c.dato2 = 7;
    c.segno = 3;
    c.pendenza = 100;
  }
  metti(m, 100, inizio, 60);
  metti(m, 120, fine);
  esegui(m);
  for (const auto& c : m.celle) {
    EXPECT_EQ(c.dato2, 7);
    EXPECT_EQ(c.segno, 3);
    EXPECT_EQ(c.pendenza, 100);
  }
}

TEST(Passo, TinyAndEmptyCellArrays) {
  modello_percorso vuoto;
  posiziona_marcatori(vuoto);
  EXPECT_TRUE(vuoto.celle.empty());
  auto m = modello_vuoto(2);
  metti(m, 1, inizio, 60);
  EXPECT_EQ(esegui(m), celle_attese{});
}

}  // namespace
}  // namespace scenario
