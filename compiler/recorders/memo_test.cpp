#include <gtest/gtest.h>

#include "compiler/readers/errore_esecuzione.h"
#include "compiler/recorders/accesso_modello.h"
#include "compiler/recorders/memo_indicatori_v_max.h"
#include "compiler/recorders/memo_montagna.h"
#include "compiler/recorders/memo_rallentamento.h"
#include "compiler/recorders/memo_segnale.h"
#include "compiler/recorders/progressive_ordina.h"

namespace scenario {
namespace {

// The recorders on a bare model: what they refused, if anything.
std::optional<rifiuto> memo_segnale(modello_percorso& m, const segnale& s) {
  scrittura w(m);
  return scenario::memo_segnale(w, s);
}
std::optional<rifiuto> memo_rallentamento(modello_percorso& m, const rallentamento& r) {
  scrittura w(m);
  return scenario::memo_rallentamento(w, r);
}
std::optional<rifiuto> memo_indicatori_v_max(modello_percorso& m, const indicatore_v_max& b) {
  scrittura w(m);
  return scenario::memo_indicatori_v_max(w, b);
}

// A refusal with its code and taken cell; the recorder leaves the error
// pair to the reader.
void rifiuta(const std::optional<rifiuto>& r, const modello_percorso& m, codice c,
             std::int64_t cella) {
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->codice_rifiuto, c);
  EXPECT_EQ(r->cella, cella);
  EXPECT_EQ(m.codice_errore, 0);
}
void memo_montagna(modello_percorso& m, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
  scrittura w(m);
  scenario::memo_montagna(w, inizio, fine, tipo);
}

modello_percorso modello(std::int32_t n_celle) {
  modello_percorso m;
  m.n_celle = n_celle;
  m.lunghezza_tracciato = n_celle * 50;
  m.celle.assign(static_cast<std::size_t>(n_celle) + 1, cella{});
  return m;
}

void serie(modello_percorso& m, int voce, std::int32_t a, std::int32_t b, std::int32_t c) {
  m.elementi[static_cast<std::size_t>(voce)].inizio = a;
  m.elementi[static_cast<std::size_t>(voce)].fine = b;
  m.elementi[static_cast<std::size_t>(voce)].posizione = c;
}

void attesa(const modello_percorso& m, int voce, std::int32_t a, std::int32_t b, std::int32_t c) {
  const elemento& e = m.elementi[static_cast<std::size_t>(voce)];
  EXPECT_EQ(e.inizio, a) << voce;
  EXPECT_EQ(e.fine, b) << voce;
  EXPECT_EQ(e.posizione, c) << voce;
}

// A Long takes the whole 32-bit range, rounded values too (halves to
// even); one beyond either end is the overflow that stops the reader.
TEST(ModelAccess, LongsTakeThe32BitRangeAndFailOneBeyond) {
  EXPECT_EQ(long_di(2147483647), 2147483647);
  EXPECT_EQ(long_di(-2147483648LL), -2147483647 - 1);
  EXPECT_THROW(long_di(2147483648LL), errore_esecuzione);
  EXPECT_THROW(long_di(-2147483649LL), errore_esecuzione);
  EXPECT_EQ(long_arrotondato(2147483647.0), 2147483647);
  EXPECT_EQ(long_arrotondato(2147483646.5), 2147483646);
  EXPECT_EQ(long_arrotondato(-2147483648.0), -2147483647 - 1);
  EXPECT_EQ(long_arrotondato(-2147483648.5), -2147483647 - 1);
  EXPECT_THROW(long_arrotondato(2147483647.5), errore_esecuzione);
  EXPECT_THROW(long_arrotondato(-2147483649.0), errore_esecuzione);
}

TEST(ProgressiveOrdina, LineContentPutsTheLaterSeriesFirstAndAdds100) {
  modello_percorso m;
  serie(m, voce::progressiva_tre, 0, 0, 0);
  serie(m, voce::progressiva_due, 39100, 135150, 1);
  serie(m, voce::progressiva_uno, 0, 39050, 1);
  progressive_ordina(m);
  attesa(m, 81, 39100, 135250, 1);
  attesa(m, 82, 0, 39150, 1);
  attesa(m, 83, 0, 0, 0);
}

TEST(ProgressiveOrdina, GreatestStartFirstEqualSmallerStartsKeepUnoDueTre) {
  modello_percorso m;
  serie(m, 81, 500, 1, 0);  // tre
  serie(m, 82, 100, 2, 0);  // due
  serie(m, 83, 100, 3, 0);  // uno
  progressive_ordina(m);
  attesa(m, 81, 500, 1, 0);
  attesa(m, 82, 100, 3, 0);
  attesa(m, 83, 100, 2, 0);

  modello_percorso n;
  serie(n, 81, 50, 1, 0);
  serie(n, 82, 200, 2, 0);
  serie(n, 83, 100, 3, 0);
  progressive_ordina(n);
  attesa(n, 81, 200, 2, 0);
  attesa(n, 82, 100, 3, 0);
  attesa(n, 83, 50, 1, 0);

  // With "due" and with "uno" greatest, the two smaller starts tied keep the
  // order "uno", "due", "tre" after it.
  struct caso {
    std::int32_t tre, due, uno;
    std::int32_t origini[3];  // of entries 81, 82, 83 after sorting
  };
  for (const caso& k : {caso{100, 500, 100, {2, 3, 1}}, caso{100, 100, 500, {3, 2, 1}}}) {
    modello_percorso x;
    serie(x, 81, k.tre, 1, 0);
    serie(x, 82, k.due, 2, 0);
    serie(x, 83, k.uno, 3, 0);
    progressive_ordina(x);
    for (int v = 0; v < 3; ++v) EXPECT_EQ(x.elementi[81 + v].fine, k.origini[v]) << 81 + v;
  }
}

TEST(ProgressiveOrdina, TwoSeriesSharingTheGreatestStartClearAllThree) {
  modello_percorso m;
  serie(m, 81, 100, 1, 1);
  serie(m, 82, 100, 2, 1);
  serie(m, 83, 0, 3, 1);
  progressive_ordina(m);
  for (int v = 81; v <= 83; ++v) attesa(m, v, 0, 0, 0);
}

TEST(ProgressiveOrdina, AllAtTheOriginTheFirstWithAnOriginValueLeads) {
  modello_percorso m;
  serie(m, 81, 0, 7, 0);
  serie(m, 82, 0, 5, 1);
  serie(m, 83, 0, 0, 1);
  progressive_ordina(m);  // only "due" positive: (D, T, U)
  attesa(m, 81, 0, 105, 1);
  attesa(m, 82, 0, 7, 0);
  attesa(m, 83, 0, 100, 1);

  // "uno" positive: (U, D, T), whatever the others hold.
  modello_percorso u;
  serie(u, 81, 0, 7, 0);
  serie(u, 82, 0, 5, 0);
  serie(u, 83, 0, 4, 0);
  progressive_ordina(u);
  attesa(u, 81, 0, 4, 0);
  attesa(u, 82, 0, 5, 0);
  attesa(u, 83, 0, 7, 0);

  // Only "tre" positive, by the least step: (T, D, U).
  modello_percorso t;
  serie(t, 81, 0, 1, 0);
  serie(t, 82, 0, -3, 0);
  serie(t, 83, 0, -2, 0);
  progressive_ordina(t);
  attesa(t, 81, 0, 1, 0);
  attesa(t, 82, 0, -3, 0);
  attesa(t, 83, 0, -2, 0);

  modello_percorso n;
  progressive_ordina(n);
  for (int v = 81; v <= 83; ++v) attesa(n, v, 0, 0, 0);
}

TEST(ProgressiveOrdina, LongOverflowOfTheStartsOrTheOriginFails) {
  modello_percorso m;
  serie(m, 81, 2147483647, 0, 0);
  serie(m, 82, 1, 0, 0);
  serie(m, 83, -5, 0, 0);  // the total fits, a + b does not
  EXPECT_THROW(progressive_ordina(m), errore_esecuzione);

  modello_percorso n;
  serie(n, 83, 0, 2147483600, 1);
  EXPECT_THROW(progressive_ordina(n), errore_esecuzione);
}

TEST(MemoMontagna, SpanWithMarkersEveryFourthEmptyCell) {
  modello_percorso m = modello(300);
  m.celle[231].tipo = tipo_cella::segnale;
  memo_montagna(m, 11200, 12000, 12);
  for (int i = 0; i <= 300; ++i) {
    const bool dentro = i >= 224 && i <= 239;
    EXPECT_EQ(m.celle[static_cast<std::size_t>(i)].montagna, dentro ? 2 : 0) << i;
  }
  EXPECT_EQ(m.celle[227].tipo, tipo_cella::marcatore_montagna);
  EXPECT_EQ(m.celle[231].tipo, tipo_cella::segnale);  // taken: left alone
  EXPECT_EQ(m.celle[235].tipo, tipo_cella::marcatore_montagna);
  EXPECT_EQ(m.celle[239].tipo, tipo_cella::marcatore_montagna);
  EXPECT_EQ(m.celle[228].tipo, tipo_cella::libera);
  EXPECT_EQ(m.n_montagne, 1);
  EXPECT_EQ(m.montagne_inizio[1], 11200);
  EXPECT_EQ(m.montagne_fine[1], 12000);
}

TEST(MemoMontagna, ASpanCloseBehindThePreviousOneIsOfType3) {
  modello_percorso m = modello(300);
  memo_montagna(m, 1000, 2000, 2);
  memo_montagna(m, 2150, 2500, 2);   // 150 m after: type 3
  memo_montagna(m, 2700, 3000, 12);  // 200 m after: own type, markers kept
  EXPECT_EQ(m.celle[43].montagna, 3);
  EXPECT_EQ(m.celle[49].montagna, 3);
  EXPECT_EQ(m.celle[54].montagna, 2);
  EXPECT_EQ(m.celle[57].tipo, tipo_cella::marcatore_montagna);
  EXPECT_EQ(m.n_montagne, 3);
}

TEST(MemoMontagna, Type3StillGetsItsMarkersAndTypeKeepsLowBits) {
  modello_percorso m = modello(300);
  memo_montagna(m, 1000, 2000, 2);
  memo_montagna(m, 2100, 2500, 12);
  EXPECT_EQ(m.celle[42].montagna, 3);
  EXPECT_EQ(m.celle[45].tipo, tipo_cella::marcatore_montagna);
  memo_montagna(m, 5000, 5100, 300 + 10 * 0);  // 300 - 10 = 290: low 8 bits 34
  EXPECT_EQ(m.celle[100].montagna, 290 & 0xFF);
}

TEST(MemoMontagna, EmptySpanWritesNothing) {
  modello_percorso m = modello(100);
  memo_montagna(m, 1000, 1000, 2);  // first index 20 exceeds the last, 19
  for (const cella& c : m.celle) EXPECT_EQ(c.montagna, 0);
}

TEST(MemoMontagna, The81stSpanAndASpanPastTheLastCellFail) {
  modello_percorso m = modello(100);
  for (int n = 0; n < 80; ++n) memo_montagna(m, 0, 0, 2);
  EXPECT_THROW(memo_montagna(m, 0, 0, 2), errore_esecuzione);

  modello_percorso p = modello(100);
  EXPECT_THROW(memo_montagna(p, 4900, 5200, 2), errore_esecuzione);
  EXPECT_EQ(p.celle[98].montagna, 2);  // written before the failing cell
  EXPECT_EQ(p.celle[100].montagna, 2);
  EXPECT_THROW(memo_montagna(p, -100, 100, 2), errore_esecuzione);
}

TEST(MemoIndicatoriVMax, PacksSpeedsAndStripes) {
  modello_percorso m = modello(1340);
  EXPECT_FALSE(memo_indicatori_v_max(m, {500, 65, 70, 80, 0, 0, 0, 0, 0}));
  const cella& a = m.celle[11];
  EXPECT_EQ(a.tipo, tipo_cella::indicatore_v_max);
  EXPECT_EQ(a.dato1, 1300);
  EXPECT_EQ(a.dato2, 1400);
  EXPECT_EQ(a.dato3, 1600);
  EXPECT_EQ(a.dato4, 0);
  EXPECT_FALSE(memo_indicatori_v_max(m, {39400, 100, 105, 110, 0, 100, 105, 110, 0}));
  EXPECT_EQ(m.celle[789].dato1, 2020);
  EXPECT_EQ(m.celle[789].dato2, 2121);
  EXPECT_EQ(m.celle[789].dato3, 2222);
  EXPECT_FALSE(memo_indicatori_v_max(m, {6700, 70, 75, 75, 2, 0, 0, 0, 0}));
  EXPECT_EQ(m.celle[135].dato4, 20);
  // Right-hand speeds not a multiple of 5 round half to even: 12.5 -> 12.
  EXPECT_FALSE(memo_indicatori_v_max(m, {1000, 1, 0, 0, 3, 62, 0, 0, 4}));
  EXPECT_EQ(m.celle[21].dato1, 32);
  EXPECT_EQ(m.celle[21].dato4, 34);
  // 16-bit truncation: 2000 * 20 = 40000 keeps its low 16 bits.
  EXPECT_FALSE(memo_indicatori_v_max(m, {2000, 2000, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(m.celle[41].dato1, static_cast<std::int16_t>(40000 - 65536));
}

TEST(MemoIndicatoriVMax, TakenCellRefusesAMarkerCellAccepts) {
  modello_percorso m = modello(100);
  m.celle[11].tipo = tipo_cella::marcatore_montagna;
  EXPECT_FALSE(memo_indicatori_v_max(m, {500, 65, 70, 80, 0, 0, 0, 0, 0}));
  EXPECT_EQ(m.celle[11].tipo, tipo_cella::indicatore_v_max);
  EXPECT_EQ(m.codice_errore, 0);
  rifiuta(memo_indicatori_v_max(m, {500, 1, 1, 1, 0, 0, 0, 0, 0}), m,
          codice::indicatore_cella_occupata, 11);
  EXPECT_EQ(m.celle[11].dato1, 1300);  // untouched
}

TEST(MemoSegnale, PacksCodesAndMarksTheFourApproachCells) {
  modello_percorso m = modello(1340);
  m.celle[197].tipo = tipo_cella::segnale;  // marks go in whatever the cell holds
  EXPECT_FALSE(memo_segnale(m, {10000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0}));
  const cella& c = m.celle[201];
  EXPECT_EQ(c.tipo, tipo_cella::segnale);
  EXPECT_EQ(c.dato1, 40);
  EXPECT_EQ(c.dato2, 10);
  EXPECT_EQ(c.dato3, 0);
  EXPECT_EQ(c.dato4, 6);
  EXPECT_EQ(c.dato5, 0);
  EXPECT_EQ(m.celle[199].segno, 61);
  EXPECT_EQ(m.celle[197].segno, 62);
  EXPECT_EQ(m.celle[197].tipo, tipo_cella::segnale);
  EXPECT_EQ(m.celle[195].segno, 63);
  EXPECT_EQ(m.celle[193].segno, 64);
  EXPECT_EQ(m.celle[200].segno, 0);

  EXPECT_FALSE(memo_segnale(m, {46400, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0}));
  const cella& d = m.celle[929];
  EXPECT_EQ(d.dato1, 42);
  EXPECT_EQ(d.dato2, 11);
  EXPECT_EQ(d.dato3, 11);
  EXPECT_EQ(d.dato4, 8);
  EXPECT_EQ(m.celle[927].segno, 81);
  EXPECT_EQ(m.celle[921].segno, 84);
}

TEST(MemoSegnale, OpeningDelay) {
  modello_percorso m = modello(200);
  memo_segnale(m, {1000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 50});
  EXPECT_EQ(m.celle[21].dato5, 101);
  memo_segnale(m, {2000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 130});
  EXPECT_EQ(m.celle[41].dato5, 130);
  memo_segnale(m, {3000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 130});
  EXPECT_EQ(m.celle[61].dato5, 0);
  memo_segnale(m, {4000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 300});  // low 8 bits
  EXPECT_EQ(m.celle[81].dato5, 300 - 256);
  memo_segnale(m, {5000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 100});
  EXPECT_EQ(m.celle[101].dato5, 101);
  memo_segnale(m, {6000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 101});
  EXPECT_EQ(m.celle[121].dato5, 101);
  // 1 is the shortest delay raised to 101; 0 is none.
  memo_segnale(m, {7000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  EXPECT_EQ(m.celle[141].dato5, 101);
  memo_segnale(m, {8000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(m.celle[161].dato5, 0);
}

TEST(MemoSegnale, TruncatesTo16And8Bits) {
  modello_percorso m = modello(200);
  memo_segnale(m, {1000, 30, 4000, 0, 0, 5000, 0, 0, 0, 0, 0});
  EXPECT_EQ(m.celle[21].dato1, static_cast<std::int16_t>(40000 - 65536));
  EXPECT_EQ(m.celle[21].dato4, static_cast<std::int16_t>(50090 - 65536));
  EXPECT_EQ(m.celle[19].segno, (90 * 10 + 1) & 0xFF);
}

TEST(MemoSegnale, TakenCellRefusesWithoutWriting) {
  modello_percorso m = modello(200);
  m.celle[21].tipo = tipo_cella::indicatore_v_max;
  rifiuta(memo_segnale(m, {1000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0}), m, codice::segnale_cella_occupata,
          21);
  EXPECT_EQ(m.celle[19].segno, 0);
  EXPECT_EQ(m.celle[21].tipo, tipo_cella::indicatore_v_max);
}

TEST(MemoSegnale, ApproachCellsBeforeCell0Fail) {
  modello_percorso m = modello(200);
  EXPECT_FALSE(memo_segnale(m, {325, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));  // cell 8: marks 6..0
  EXPECT_EQ(m.celle[0].segno, 64);
  modello_percorso n = modello(200);
  EXPECT_THROW(memo_segnale(n, {300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}), errore_esecuzione);
  EXPECT_EQ(n.celle[7].tipo, tipo_cella::segnale);  // written before the failing mark
  EXPECT_EQ(n.celle[1].segno, 63);
}

TEST(MemoRallentamento, ScenarioSlowdown) {
  modello_percorso m = modello(1340);
  EXPECT_FALSE(memo_rallentamento(m, {22700, 30, 200, 1, 0, 0}));
  EXPECT_EQ(m.celle[455].tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(m.celle[459].tipo, tipo_cella::fine_rallentamento);
  EXPECT_EQ(m.celle[431].tipo, tipo_cella::avviso_rallentamento);
  for (int i : {455, 459}) {
    EXPECT_EQ(m.celle[static_cast<std::size_t>(i)].dato1, 30);
    EXPECT_EQ(m.celle[static_cast<std::size_t>(i)].dato2, 0);
    EXPECT_EQ(m.celle[static_cast<std::size_t>(i)].dato3, 1);
  }
  EXPECT_EQ(m.celle[431].dato1, 30);
  EXPECT_EQ(m.celle[431].dato3, 0);
  EXPECT_EQ(m.celle[430].tipo, 0);
}

TEST(MemoRallentamento, ApproachCellsAndDV) {
  modello_percorso m = modello(1340);
  m.celle[427].tipo = tipo_cella::marcatore_montagna;  // counts as free
  EXPECT_FALSE(memo_rallentamento(m, {22700, 30, 200, 0, 1, 7}));
  for (int n = 0; n < 4; ++n) {
    const cella& c = m.celle[static_cast<std::size_t>(430 - n)];
    EXPECT_EQ(c.tipo, tipo_cella::approccio_rallentamento);
    EXPECT_EQ(c.dato1, n + 1);
    EXPECT_EQ(c.dato2, n + 1);
  }
  EXPECT_EQ(m.celle[455].dato2, 7);
  EXPECT_EQ(m.celle[459].dato2, 7);
  EXPECT_EQ(m.celle[431].dato2, 7);
}

TEST(MemoRallentamento, NoWarningBoardWithin1500m) {
  modello_percorso m = modello(200);
  EXPECT_FALSE(memo_rallentamento(m, {1500, 30, 100, 0, 1, 0}));
  EXPECT_EQ(m.celle[31].tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(m.celle[33].tipo, tipo_cella::fine_rallentamento);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(m.celle[static_cast<std::size_t>(i)].tipo, 0) << i;
  modello_percorso n = modello(200);
  EXPECT_FALSE(memo_rallentamento(n, {1550, 30, 100, 0, 1, 0}));
  EXPECT_EQ(n.celle[8].tipo, tipo_cella::avviso_rallentamento);
  EXPECT_EQ(n.celle[7].tipo, tipo_cella::approccio_rallentamento);
  EXPECT_EQ(n.celle[4].tipo, tipo_cella::approccio_rallentamento);
}

TEST(MemoRallentamento, EachTakenCellHasItsCode) {
  {
    modello_percorso m = modello(1340);
    m.celle[431].tipo = 1;
    rifiuta(memo_rallentamento(m, {22700, 30, 200, 1, 0, 0}), m, codice::avviso_cella_occupata,
            431);
    EXPECT_EQ(m.celle[455].tipo, 0);
  }
  {
    modello_percorso m = modello(1340);
    m.celle[455].tipo = 1;
    rifiuta(memo_rallentamento(m, {22700, 30, 200, 1, 0, 0}), m,
            codice::inizio_rallentamento_cella_occupata, 455);
    EXPECT_EQ(m.celle[431].tipo, 0);
  }
  {
    modello_percorso m = modello(1340);
    m.celle[459].tipo = 1;
    rifiuta(memo_rallentamento(m, {22700, 30, 200, 1, 0, 0}), m,
            codice::fine_rallentamento_cella_occupata, 459);
    EXPECT_EQ(m.celle[455].tipo, 0);
  }
  {
    modello_percorso m = modello(1340);
    m.celle[428].tipo = 1;
    rifiuta(memo_rallentamento(m, {22700, 30, 200, 1, 1, 0}), m, codice::approccio_cella_occupata,
            428);
    EXPECT_EQ(m.celle[455].tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(m.celle[459].tipo, tipo_cella::fine_rallentamento);
    EXPECT_EQ(m.celle[431].tipo, tipo_cella::avviso_rallentamento);
    EXPECT_EQ(m.celle[430].tipo, 0);
  }
}

TEST(MemoRallentamento, EndPastTheLastCellFails) {
  modello_percorso m = modello(100);
  EXPECT_THROW(memo_rallentamento(m, {4000, 30, 1000, 0, 0, 0}), errore_esecuzione);
  EXPECT_EQ(m.celle[81].tipo, 0);  // nothing written before the end cell test
  EXPECT_THROW(memo_rallentamento(m, {2147483000, 30, 1000, 0, 0, 0}), errore_esecuzione);
}

}  // namespace
}  // namespace scenario
