// Boundary tests of the recorders through the compile step: mountain spans,
// speed and indication boards, signals, slowdowns and the order of the
// kilometric series, each condition at its boundary and on both sides,
// checked in the bytes of the cell data and simulation files and in the
// error pair, against values worked out from the rules (docs/formats.md).
// The inventory of conditions is in docs/reliability.md, "Boundary tests".
// A line of 1000 m has cells 0 .. 160; the cell of an object at p is
// R(p / 50 + 1). A fault that stops the line file leaves the grades
// unwritten (0); the placement pass's markers (code 12, 180) are part of
// the expected cells.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/prove_confini.h"

namespace scenario::confini {
namespace {

using std::to_string;

void senza_pendenze(celle_attese& a) {
  a.tratto(0, 157, campo::pendenza, 0);
}

// ---------------------------------------------------------- mountains ---

TEST(ConfiniMontagne, TipoOltre10ConMarcatori) {
  // A type above 10 is type - 10 with a marker (code 11) in the 4th, 8th,
  // ... cell; the type keeps 8 bits. Cells 20 .. 27 for 1000 .. 1400 m.
  auto span = [](int tipo, int montagna, bool marcatori) {
    return caso{"tipo " + to_string(tipo),
                {"montagna, 1000, 1400, " + to_string(tipo)},
                {},
                0,
                0,
                [=](celle_attese& a) {
                  a.tratto(20, 27, campo::montagna, montagna);
                  if (marcatori) a.oggetto(23, 11).oggetto(27, 11);
                }};
  };
  verifica_tutti({span(9, 9, false), span(10, 10, false), span(11, 1, true), span(12, 2, true),
                  span(265, 255, true), span(266, 0, true), span(-1, 255, false)});
}

TEST(ConfiniMontagne, CelleDaRDiInizioARDiFineMeno1) {
  // A span covers cells R(inizio / 50) .. R(fine / 50 - 1), none when the
  // first is past the last.
  struct riga {
    int inizio, fine;
    std::size_t da, a;  // da > a: no cell
  };
  for (const riga& r : std::vector<riga>{{100, 124, 2, 1},
                                         {100, 125, 2, 2},
                                         {100, 150, 2, 2},
                                         {100, 175, 2, 2},
                                         {100, 176, 2, 3},
                                         {125, 200, 2, 3},
                                         {126, 200, 3, 3},
                                         {75, 150, 2, 2},
                                         {74, 150, 1, 2}}) {
    verifica({"montagna " + to_string(r.inizio) + " " + to_string(r.fine),
              {"montagna, " + to_string(r.inizio) + ", " + to_string(r.fine) + ", 2"},
              {},
              0,
              0,
              [&](celle_attese& a) {
                if (r.da <= r.a) a.tratto(r.da, r.a, campo::montagna, 2);
              }});
  }
}

TEST(ConfiniMontagne, Tipo3Entro150MetriDallaPrecedente) {
  // A span starting 150 m or less after the end of the span recorded just
  // before it is of type 3 (its markers stay); the first span has none
  // before it.
  auto dopo = [](int inizio, int tipo, int montagna, bool marcatore) {
    return caso{"after 1400: " + to_string(inizio),
                {"montagna, 1000, 1400, 2",
                 "montagna, " + to_string(inizio) + ", 1750, " + to_string(tipo)},
                {},
                0,
                0,
                [=](celle_attese& a) {
                  a.tratto(20, 27, campo::montagna, 2).tratto(31, 34, campo::montagna, montagna);
                  if (marcatore) a.oggetto(34, 11);
                }};
  };
  verifica_tutti({
      dopo(1549, 5, 3, false),
      dopo(1550, 5, 3, false),
      dopo(1551, 5, 5, false),
      dopo(1550, 15, 3, true),
      {"first",
       {"montagna, 100, 300, 5"},
       {},
       0,
       0,
       [](celle_attese& a) { a.tratto(2, 5, campo::montagna, 5); }},
      {"a board in the 4th cell stays",
       {"cartello_indicatore, 1100, A", "montagna, 1000, 1400, 12"},
       {},
       0,
       0,
       [](celle_attese& a) {
         a.tratto(20, 27, campo::montagna, 2).oggetto(23, 14, 80).oggetto(27, 11);
       }},
      {"the span just before, not the nearest",
       {"montagna, 1000, 1400, 2", "montagna, 3000, 3400, 2", "montagna, 1500, 1700, 5"},
       {},
       0,
       0,
       [](celle_attese& a) {
         a.tratto(20, 27, campo::montagna, 2).tratto(60, 67, campo::montagna, 2);
         a.tratto(30, 33, campo::montagna, 3);
       }},
  });
}

TEST(ConfiniMontagne, OttantaCampate) {
  // The span lists hold 80 spans; the 81st is code 25 and writes nothing.
  // Spans of 100 m every 300 m (cells 6k, 6k + 1) on a line of 25000 m
  // (cells 0 .. 640).
  for (const int n : {80, 81}) {
    std::vector<std::string> corpo;
    for (int k = 0; k < n; ++k) {
      corpo.push_back("montagna, " + to_string(300 * k) + ", " + to_string(300 * k + 100) + ", 2");
    }
    verifica({to_string(n) + " spans",
              corpo,
              {},
              n == 80 ? 0 : 25,
              0,
              [=](celle_attese& a) {
                for (std::size_t k = 0; k < 80; ++k) a.tratto(6 * k, 6 * k + 1, campo::montagna, 2);
                if (n == 81) a.tratto(0, 637, campo::pendenza, 0);
              }},
             25000, 640);
  }
}

TEST(ConfiniMontagne, FinoAllUltimaCella) {
  // A span may reach cell 160, the last; one that reaches past it is code
  // 25 once its cells up to the last are written.
  auto span = [](int fine, std::int32_t codice) {
    return caso{"fine " + to_string(fine),
                {"montagna, 7900, " + to_string(fine) + ", 2"},
                {},
                codice,
                0,
                [=](celle_attese& a) {
                  a.tratto(158, 160, campo::montagna, 2);
                  if (codice != 0) senza_pendenze(a);
                }};
  };
  verifica_tutti({span(8050, 0), span(8075, 0), span(8076, 25)});
}

// ------------------------------------------------------------ boards ---

TEST(ConfiniCartelli, IndicatoriVMaxImpaccati) {
  // Per category R(right / 5 + left x 20), kept in 16 bits; stripes as
  // tens and units. Cell 11 for 500 m.
  auto board = [](const std::string& valori, std::int16_t d1, std::int16_t d2, std::int16_t d3,
                  std::int16_t d4) {
    return caso{valori, {"indicatori_vmax, 500, " + valori},
                {},     0,
                0,      [=](celle_attese& a) { a.oggetto(11, 6, d1, d2, d3, d4); }};
  };
  verifica_tutti({
      board("65, 70, 80, 0, , , , 0", 1300, 1400, 1600, 0),
      board("100, 105, 110, 0, 100, 105, 110, 0", 2020, 2121, 2222, 0),
      board("1, 1, 1, 0, 2, 3, 7, 0", 20, 21, 21, 0),
      board("1, 1, 1, 0, 8, -2, -3, 0", 22, 20, 19, 0),
      board("1638, 1638, 0, 0, 35, 40, 0, 0", 32767, -32768, 0, 0),
      board("0, 0, 0, 2, 0, 0, 0, 0", 0, 0, 0, 20),
      board("0, 0, 0, 1, 0, 0, 0, 3", 0, 0, 0, 13),
      board("0, 0, 0, 3276, 0, 0, 0, 7", 0, 0, 0, 32767),
      board("0, 0, 0, 3276, 0, 0, 0, 8", 0, 0, 0, -32768),
  });
}

TEST(ConfiniCartelli, CellaLiberaSe0O11) {
  // A board needs a cell holding nothing or a tunnel marker (code 11):
  // otherwise code 21 (speed board) or 6 (indication board) at its
  // position, and the line file is left.
  const std::string vmax = "indicatori_vmax, 500, 10, 0, 0, 0, 0, 0, 0, 0";
  const std::string cartello = "cartello_indicatore, 500, A";
  const std::string montagna = "montagna, 400, 800, 12";  // cells 8 .. 15, markers 11 and 15
  auto tunnel = [](celle_attese& a) { a.tratto(8, 15, campo::montagna, 2).oggetto(15, 11); };
  verifica_tutti({
      {"speed board on a speed board",
       {vmax, vmax},
       {},
       21,
       500,
       [](celle_attese& a) {
         senza_pendenze(a);
         a.oggetto(11, 6, 200);
       }},
      {"speed board on a board",
       {cartello, vmax},
       {},
       21,
       500,
       [](celle_attese& a) {
         senza_pendenze(a);
         a.oggetto(11, 14, 80);
       }},
      {"board on a board",
       {cartello, cartello},
       {},
       6,
       500,
       [](celle_attese& a) {
         senza_pendenze(a);
         a.oggetto(11, 14, 80);
       }},
      {"board on a speed board",
       {vmax, cartello},
       {},
       6,
       500,
       [](celle_attese& a) {
         senza_pendenze(a);
         a.oggetto(11, 6, 200);
       }},
      {"speed board on a tunnel marker",
       {montagna, vmax},
       {},
       0,
       0,
       [&](celle_attese& a) {
         tunnel(a);
         a.oggetto(11, 6, 200);
       }},
      {"board on a tunnel marker",
       {montagna, cartello},
       {},
       0,
       0,
       [&](celle_attese& a) {
         tunnel(a);
         a.oggetto(11, 14, 80);
       }},
      {"board at -75: R(-0.5) = 0",
       {"cartello_indicatore, -75, A"},
       {},
       0,
       0,
       [](celle_attese& a) { a.oggetto(0, 14, 80); }},
      {"board at -76: R(-0.52) = -1", {"cartello_indicatore, -76, A"}, {}, 25, 0, senza_pendenze},
  });
  // The text of a board refused goes nowhere.
  risultato_compilazione x = compila_testi(
      linea(1000, {"cartello_indicatore, 500, A", "cartello_indicatore, 500, B"}), servizio({}));
  const std::vector<voce_sim> v = voci_sim(x.sim);
  EXPECT_EQ(v.at(80).nome, "A");
  EXPECT_EQ(v.at(79).nome, "");
}

TEST(ConfiniCartelli, OttantaTesti) {
  // Board texts take entries 80 down to 1; the 81st board is code 25, its
  // cell marked with slot 0 first. Boards every 50 m from 50 m (cells 2 ..)
  // on a line of 5000 m (cells 0 .. 240).
  for (const int n : {80, 81}) {
    SCOPED_TRACE(n);
    std::vector<std::string> corpo;
    for (int k = 1; k <= n; ++k) {
      corpo.push_back("cartello_indicatore, " + to_string(50 * k) + ", B" + to_string(k));
    }
    risultato_compilazione x = compila_testi(linea(5000, corpo), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, n == 80 ? 0 : 25);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    celle_attese a(240);
    if (n == 81) a.tratto(0, 237, campo::pendenza, 0);
    for (int k = 1; k <= n; ++k) {
      a.oggetto(static_cast<std::size_t>(k + 1), 14,
                static_cast<std::int16_t>(k <= 80 ? 81 - k : 0));
    }
    confronta_celle(x.celle_dat, a);
    const std::vector<voce_sim> v = voci_sim(x.sim);
    EXPECT_EQ(v.at(0).nome, "");
    for (int k = 1; k <= 80; ++k)
      EXPECT_EQ(v.at(static_cast<std::size_t>(81 - k)).nome, "B" + to_string(k));
  }
}

// ----------------------------------------------------------- signals ---

TEST(ConfiniSegnali, TempoDa1A100Diventa101) {
  // With sx = 2 the opening delay is kept in 8 bits, 1 .. 100 raised to
  // 101; with any other sx it is 0. Cell 21 for 1000 m; approach marks
  // (sx x 3 + dx) x 10 + 1 .. 4 in cells 19, 17, 15, 13.
  auto segnale = [](int sx, int tempo, std::uint8_t dato5) {
    return caso{
        "sx " + to_string(sx) + " tempo " + to_string(tempo),
        {},
        {"segnale, 1000, " + to_string(sx) + ", 0, 0, 0, 0, 0, 0, 0, 0, " + to_string(tempo)},
        0,
        0,
        [=](celle_attese& a) {
          a.oggetto(21, 1, 0, 0, 0, static_cast<std::int16_t>(sx * 3), dato5);
          for (int r = 1; r <= 4; ++r) {
            a.in(static_cast<std::size_t>(21 - 2 * r), campo::segno, sx * 30 + r);
          }
        }};
  };
  verifica_tutti({segnale(2, 0, 0), segnale(2, 1, 101), segnale(2, 100, 101), segnale(2, 101, 101),
                  segnale(2, 102, 102), segnale(2, 255, 255), segnale(2, 256, 0),
                  segnale(2, -1, 255), segnale(1, 50, 0), segnale(3, 50, 0), segnale(1, 1, 0)});
}

TEST(ConfiniSegnali, CodiciImpaccati) {
  // dato1 .. dato3 = s x 10 + d, dato4 = rapp x 10 + sx x 3 + dx, in 16
  // bits; the approach marks in 8 bits.
  auto segni = [](celle_attese& a, int lati) {
    for (int r = 1; r <= 4; ++r) {
      a.in(static_cast<std::size_t>(21 - 2 * r), campo::segno, lati * 10 + r);
    }
  };
  verifica_tutti({
      {"codes",
       {},
       {"segnale, 1000, 1, 3, 4, 5, 1, 1, 2, 0, 9, 0"},
       0,
       0,
       [&](celle_attese& a) {
         a.oggetto(21, 1, 32, 40, 59, 14);
         segni(a, 4);
       }},
      {"16 bits",
       {},
       {"segnale, 1000, 0, 3276, 3276, 0, 0, 0, 7, 8, 0, 0"},
       0,
       0,
       [&](celle_attese& a) {
         a.oggetto(21, 1, 32767, -32768);
         segni(a, 0);
       }},
      {"8 bits",
       {},
       {"segnale, 1000, 8, 0, 0, 0, 0, 2, 0, 0, 0, 0"},
       0,
       0,
       [&](celle_attese& a) {
         a.oggetto(21, 1, 0, 0, 0, 26);
         segni(a, 26);
       }},
  });
}

TEST(ConfiniSegnali, SegniFinoAllaCella0) {
  // The fourth approach mark, 8 cells before the signal, needs cell 0 at
  // least: a signal at 325 m (cell 8) fits, one at 324 m (cell 7) is code
  // 25 after its cell and three marks are written. A taken cell is code 16;
  // a tunnel marker is no object.
  verifica_tutti({
      {"325", {}, {segnale_sx1(325)}, 0, 0, [](celle_attese& a) { a.segnale(8); }},
      {"324",
       {},
       {segnale_sx1(324)},
       25,
       0,
       [](celle_attese& a) {
         a.oggetto(7, 1, 0, 0, 0, 3);
         a.in(5, campo::segno, 31).in(3, campo::segno, 32).in(1, campo::segno, 33);
       }},
      {"taken",
       {},
       {segnale_sx1(1000), "segnale, 1000, 2, 1, 1, 1, 1, 1, 1, 1, 1, 0"},
       16,
       1000,
       [](celle_attese& a) { a.segnale(21); }},
      {"on a tunnel marker",
       {"montagna, 900, 1300, 12"},
       {segnale_sx1(1000)},
       0,
       0,
       [](celle_attese& a) { a.tratto(18, 25, campo::montagna, 2).oggetto(25, 11).segnale(21); }},
  });
}

// -------------------------------------------------------- slowdowns ---

// The markers the placement pass puts before a slowdown starting in cell i
// (all candidates free): cells i - 5, i - 11, i - 18.
void prima_dell_inizio(celle_attese& a, std::size_t i) {
  a.marcatore(i - 5).marcatore(i - 11).marcatore(i - 18);
}

TEST(ConfiniRallentamenti, AvvisoOltre1500Metri) {
  // Only a slowdown starting beyond 1500 m gets the warning board, 1200 m
  // before it (cell R((x - 1200) / 50 + 1)), and, with f_ta, approach cells
  // 1 .. 4 in the four cells R((x - 1200) / 50) down. 120 km/h, 100 m long.
  verifica_tutti({
      {"1500",
       {},
       {"rallentamento, 1500, 120, 100, 1, 1, 0"},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(31, 3, 120, 0, 1).oggetto(33, 2, 120, 0, 1);
         prima_dell_inizio(a, 31);
       }},
      {"1501",
       {},
       {"rallentamento, 1501, 120, 100, 1, 1, 0"},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(7, 4, 120).oggetto(31, 3, 120, 0, 1).oggetto(33, 2, 120, 0, 1);
         a.oggetto(6, 5, 1).oggetto(5, 5, 2).oggetto(4, 5, 3).oggetto(3, 5, 4);
         prima_dell_inizio(a, 31);
       }},
      {"1550",
       {},
       {"rallentamento, 1550, 120, 100, 1, 1, 0"},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(8, 4, 120).oggetto(32, 3, 120, 0, 1).oggetto(34, 2, 120, 0, 1);
         a.oggetto(7, 5, 1).oggetto(6, 5, 2).oggetto(5, 5, 3).oggetto(4, 5, 4);
         prima_dell_inizio(a, 32);
       }},
      {"1550, f_ta -1",
       {},
       {"rallentamento, 1550, 120, 100, 1, -1, 0"},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(8, 4, 120).oggetto(32, 3, 120, 0, 1).oggetto(34, 2, 120, 0, 1);
         a.oggetto(7, 5, 1).oggetto(6, 5, 2).oggetto(5, 5, 3).oggetto(4, 5, 4);
         prima_dell_inizio(a, 32);
       }},
      {"1550 without f_ta",
       {},
       {"rallentamento, 1550, 120, 100, 1, 0, 0"},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(8, 4, 120).oggetto(32, 3, 120, 0, 1).oggetto(34, 2, 120, 0, 1);
         prima_dell_inizio(a, 32);
       }},
  });
}

TEST(ConfiniRallentamenti, DvSeDiversoDa0) {
  // d_v goes into dato2 of the warning, start and end cells only when it
  // is not 0; the approach cells then get 1 .. 4 there too.
  for (const int dv : {-1, 0, 1}) {
    verifica({"d_v " + to_string(dv),
              {},
              {"rallentamento, 1550, 120, 100, 1, 1, " + to_string(dv)},
              0,
              0,
              [=](celle_attese& a) {
                const auto d = static_cast<std::int16_t>(dv);
                a.oggetto(8, 4, 120, d).oggetto(32, 3, 120, d, 1).oggetto(34, 2, 120, d, 1);
                for (std::int16_t n = 1; n <= 4; ++n) {
                  a.oggetto(static_cast<std::size_t>(8 - n), 5, n, dv != 0 ? n : 0);
                }
                prima_dell_inizio(a, 32);
              }});
  }
}

TEST(ConfiniRallentamenti, CelleOccupate) {
  // Warning (cell 8), start (32) and end (34) taken: codes 17, 18, 19 and
  // nothing written; one of the four approach cells 7 .. 4 taken: code 20
  // after the warning, start and end cells. Cell 3 is not among them.
  const std::string r = "rallentamento, 1550, 120, 100, 1, 1, 0";
  auto scritte = [](celle_attese& a) {
    a.oggetto(8, 4, 120).oggetto(32, 3, 120, 0, 1).oggetto(34, 2, 120, 0, 1);
    prima_dell_inizio(a, 32);
  };
  verifica_tutti({
      {"warning",
       {},
       {"abbattimento, 400, 0", r},
       17,
       1550,
       [](celle_attese& a) { a.oggetto(8, 13); }},
      {"start",
       {},
       {"abbattimento, 1600, 0", r},
       18,
       1550,
       [](celle_attese& a) { a.oggetto(32, 13); }},
      {"end",
       {},
       {"abbattimento, 1700, 0", r},
       19,
       1550,
       [](celle_attese& a) { a.oggetto(34, 13); }},
      {"approach 7",
       {},
       {"abbattimento, 350, 0", r},
       20,
       1550,
       [&](celle_attese& a) {
         scritte(a);
         a.oggetto(7, 13);
       }},
      {"approach 4",
       {},
       {"abbattimento, 200, 0", r},
       20,
       1550,
       [&](celle_attese& a) {
         scritte(a);
         a.oggetto(4, 13);
       }},
      {"cell 3",
       {},
       {"abbattimento, 150, 0", r},
       0,
       0,
       [&](celle_attese& a) {
         scritte(a);
         a.oggetto(3, 13);
         a.oggetto(7, 5, 1).oggetto(6, 5, 2).oggetto(5, 5, 3).oggetto(4, 5, 4);
       }},
      {"approach 4 without f_ta",
       {},
       {"abbattimento, 200, 0", "rallentamento, 1550, 120, 100, 1, 0, 0"},
       0,
       0,
       [&](celle_attese& a) {
         scritte(a);
         a.oggetto(4, 13);
       }},
      {"no approach at 1500",
       {},
       {"abbattimento, 300, 0", "rallentamento, 1500, 120, 100, 1, 1, 0"},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(6, 13).oggetto(31, 3, 120, 0, 1).oggetto(33, 2, 120, 0, 1);
         prima_dell_inizio(a, 31);
       }},
  });
}

TEST(ConfiniRallentamenti, FineFinoAllUltimaCella) {
  // The end cell R((x + l) / 50 + 1) may be 160, the last; past it code 25
  // and nothing written. The start in cell 158 is the last the placement
  // pass treats.
  auto ral = [](int l, std::int32_t codice) {
    return caso{"l " + to_string(l),
                {},
                {"rallentamento, 7850, 120, " + to_string(l) + ", 0, 0, 0"},
                codice,
                0,
                [=](celle_attese& a) {
                  if (codice != 0) return;
                  a.oggetto(134, 4, 120).oggetto(158, 3, 120).oggetto(160, 2, 120);
                  prima_dell_inizio(a, 158);
                }};
  };
  verifica_tutti({ral(100, 0), ral(125, 0), ral(126, 25)});
}

// ---------------------------------------------- kilometric series ---

TEST(ConfiniProgressive, OrdinePerInizio) {
  // Entries 81, 82, 83 get the series by start, greatest first; equal
  // smaller starts keep "uno", "due", "tre"; no single greatest start: all
  // zero. With all starts summing to 0 the first series with a positive
  // origin ("uno", "due", "tre") leads. Series in use (1) get + 100.
  // Code 2 follows from the stored values.
  struct serie {
    std::int64_t inizio = 0, origine = 0, uso = 0;
  };
  struct riga {
    serie t, d, u;
    serie e81, e82, e83;
  };
  const serie zero;
  const std::vector<riga> righe_p = {
      {{0, 0, 0}, {39100, 135150, 1}, {0, 39050, 1}, {39100, 135250, 1}, {0, 39150, 1}, zero},
      {{300, 1000, 0},
       {200, 2000, 0},
       {100, 3000, 0},
       {300, 1000, 0},
       {200, 2000, 0},
       {100, 3000, 0}},
      {{300, 1000, 0},
       {100, 2000, 0},
       {200, 3000, 0},
       {300, 1000, 0},
       {200, 3000, 0},
       {100, 2000, 0}},
      {{200, 1000, 0},
       {300, 2000, 0},
       {100, 3000, 0},
       {300, 2000, 0},
       {200, 1000, 0},
       {100, 3000, 0}},
      {{100, 1000, 0},
       {300, 2000, 0},
       {200, 3000, 0},
       {300, 2000, 0},
       {200, 3000, 0},
       {100, 1000, 0}},
      {{200, 1000, 0},
       {100, 2000, 0},
       {300, 3000, 0},
       {300, 3000, 0},
       {200, 1000, 0},
       {100, 2000, 0}},
      {{100, 1000, 0},
       {200, 2000, 0},
       {300, 3000, 0},
       {300, 3000, 0},
       {200, 2000, 0},
       {100, 1000, 0}},
      // No single greatest start.
      {{300, 1000, 0}, {300, 2000, 0}, {100, 3000, 0}, zero, zero, zero},
      {{300, 1000, 0}, {100, 2000, 0}, {300, 3000, 0}, zero, zero, zero},
      {{100, 1000, 0}, {300, 2000, 0}, {300, 3000, 0}, zero, zero, zero},
      {{300, 1000, 0}, {300, 2000, 0}, {300, 3000, 0}, zero, zero, zero},
      // Equal smaller starts.
      {{300, 1000, 0},
       {100, 2000, 0},
       {100, 3000, 0},
       {300, 1000, 0},
       {100, 3000, 0},
       {100, 2000, 0}},
      {{100, 1000, 0},
       {300, 2000, 0},
       {100, 3000, 0},
       {300, 2000, 0},
       {100, 3000, 0},
       {100, 1000, 0}},
      {{100, 1000, 0},
       {100, 2000, 0},
       {300, 3000, 0},
       {300, 3000, 0},
       {100, 2000, 0},
       {100, 1000, 0}},
      // One metre apart.
      {{301, 1000, 0}, {300, 2000, 0}, zero, {301, 1000, 0}, {300, 2000, 0}, zero},
      {{300, 1000, 0}, {301, 2000, 0}, zero, {301, 2000, 0}, {300, 1000, 0}, zero},
      {{300, 1000, 0}, {1, 2000, 0}, zero, {300, 1000, 0}, {1, 2000, 0}, zero},
      {{300, 1000, 0}, zero, {1, 3000, 0}, {300, 1000, 0}, {1, 3000, 0}, zero},
      {{300, 1000, 0}, {-1, 2000, 0}, zero, {300, 1000, 0}, zero, {-1, 2000, 0}},
      // Starts summing to 0.
      {{100, 500, 0}, {-100, 600, 0}, zero, {-100, 600, 0}, {100, 500, 0}, zero},
      {{0, -200, 0}, {0, -100, 0}, {0, 50, 0}, {0, 50, 0}, {0, -100, 0}, {0, -200, 0}},
      {{0, -200, 0}, {0, -100, 0}, {0, 1, 0}, {0, 1, 0}, {0, -100, 0}, {0, -200, 0}},
      {{0, -200, 0}, {0, 50, 0}, zero, {0, 50, 0}, {0, -200, 0}, zero},
      {{0, 0, 0}, {0, 50, 0}, {0, -1, 0}, {0, 50, 0}, zero, {0, -1, 0}},
      {{0, 50, 0}, zero, {0, -100, 0}, {0, 50, 0}, zero, {0, -100, 0}},
      {zero, {0, -100, 0}, {0, -50, 0}, zero, zero, zero},
      // A negative sum is not 0: no single greatest start, all zero.
      {{-100, 0, 0}, zero, {0, 50, 0}, zero, zero, zero},
      // In use: exactly 1.
      {{300, 1000, 1},
       {200, 2000, 2},
       {100, 3000, -1},
       {300, 1100, 1},
       {200, 2000, 2},
       {100, 3000, -1}},
      {{300, 2147483547, 1}, zero, zero, {300, 2147483647, 1}, zero, zero},
      // The sum of the starts, left to right, fits a Long.
      {{2147483647, 0, 0}, {-1, 0, 0}, {1, 0, 0}, {2147483647, 0, 0}, {1, 0, 0}, {-1, 0, 0}},
  };
  auto record = [](const char* nome, const serie& s) {
    return std::string("progressiva chilometrica ") + nome + ", " + to_string(s.inizio) + ", " +
           to_string(s.origine) + ", " + to_string(s.uso);
  };
  auto sulla_griglia = [](const serie& s) { return s.inizio % 50 == 0 && s.origine % 50 == 0; };
  for (const riga& r : righe_p) {
    const std::vector<std::string> g = {record("tre", r.t), record("due", r.d), record("uno", r.u)};
    SCOPED_TRACE(g[0] + " / " + g[1] + " / " + g[2]);
    risultato_compilazione x = compila_testi(linea(1000, {}, g), servizio({}));
    const bool griglia = sulla_griglia(r.e81) && sulla_griglia(r.e82) && sulla_griglia(r.e83);
    EXPECT_EQ(x.modello.codice_errore, griglia ? 0 : 2);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const std::vector<voce_sim> v = voci_sim(x.sim);
    const serie attese[] = {r.e81, r.e82, r.e83};
    for (std::size_t k = 0; k < 3; ++k) {
      const voce_sim& e = v.at(81 + k);
      EXPECT_EQ(e.inizio, attese[k].inizio) << "entry " << 81 + k;
      EXPECT_EQ(e.fine, attese[k].origine) << "entry " << 81 + k;
      EXPECT_EQ(e.posizione, attese[k].uso) << "entry " << 81 + k;
    }
  }
}

TEST(ConfiniProgressive, SommeNeiLong) {
  // An origin + 100 or a sum of starts (D + T first, then + U) that
  // overflows a Long is code 25; the body is then not read.
  for (const auto& [g, codice] : std::vector<std::pair<std::vector<std::string>, std::int32_t>>{
           {{"progressiva chilometrica tre, 300, 2147483548, 1"}, 25},
           {{"progressiva chilometrica tre, 2147483647, 0, 0",
             "progressiva chilometrica due, 1, 0, 0", "progressiva chilometrica uno, -1, 0, 0"},
            25},
           {{"progressiva chilometrica tre, 2147483646, 0, 0",
             "progressiva chilometrica due, 1, 0, 0"},
            2},
       }) {
    SCOPED_TRACE(g[0]);
    risultato_compilazione x =
        compila_testi(linea(1000, {"cartello_indicatore, 500, A"}, g), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, codice);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    EXPECT_EQ(celle_dat(x.celle_dat).at(11).tipo, codice == 25 ? 0 : 14);
  }
}

}  // namespace
}  // namespace scenario::confini
