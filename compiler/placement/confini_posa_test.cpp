// Boundary tests of the placement pass through the compile step: the
// pass's range of cells, the look-back before a warning board (rule A), the
// three groups before a slowdown's start (rule B), the walk along a slow
// slowdown (rule C) and the look-ahead after its end (rule D), each limit
// at, below and above, in the cell data file's bytes and the error pair.
// Markers are code 12 with 180. The inventory of conditions is in
// docs/reliability.md, "Boundary tests". A line of 1000 m has cells
// 0 .. 160; the pass looks at cells 1 .. 158.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/prove_confini.h"

namespace scenario::confini {
namespace {

using std::to_string;

// A slowdown at x, v km/h, l m long, without f_tt, f_ta or d_v.
std::string ral(int x, int v, int l) {
  return "rallentamento, " + to_string(x) + ", " + to_string(v) + ", " + to_string(l) + ", 0, 0, 0";
}

std::string abb(int p, int valore) {
  return "abbattimento, " + to_string(p) + ", " + to_string(valore);
}

TEST(ConfiniPosa, DallaCella1AllaTerzultima) {
  // The pass treats cells 1 .. U - 2 = 158. A slowdown starting in cell 1
  // gets its rule-D marker before the signal in cell 9, one starting in
  // cell 0 none; one starting in cell 158 gets its rule-B markers, one in
  // cell 159 none.
  verifica_tutti({
      {"start in cell 1",
       {},
       {ral(0, 0, 100), segnale_sx1(400)},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(1, 3).oggetto(3, 2).marcatore(8);
         a.segnale(9);
       }},
      {"start in cell 0",
       {},
       {ral(-50, 0, 100), segnale_sx1(400)},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(0, 3).oggetto(2, 2);
         a.segnale(9);
       }},
      {"start in cell 158",
       {},
       {ral(7850, 120, 50)},
       0,
       0,
       [](celle_attese& a) {
         a.oggetto(134, 4, 120).oggetto(158, 3, 120).oggetto(159, 2, 120);
         a.marcatore(153).marcatore(147).marcatore(140);
       }},
      {"start in cell 159",
       {},
       {ral(7900, 120, 50)},
       0,
       0,
       [](celle_attese& a) { a.oggetto(135, 4, 120).oggetto(159, 3, 120).oggetto(160, 2, 120); }},
  });
}

// Rule A's scenario: a slowdown at 5000 m (warning board in cell 77, start
// 101, end 103, 120 km/h) with its rule-B markers.
void avviso_77(celle_attese& a) {
  a.oggetto(77, 4, 120).oggetto(101, 3, 120).oggetto(103, 2, 120);
  a.marcatore(96).marcatore(90).marcatore(83);
}

TEST(ConfiniPosa, RegolaAVenticelleIndietro) {
  // Every signal in the 20 cells before a warning board gets a marker in
  // the cell before it, or the one before that.
  const std::string r = ral(5000, 120, 100);
  verifica_tutti({
      {"20 cells back",
       {},
       {r, segnale_sx1(2800)},
       0,
       0,
       [](celle_attese& a) {
         avviso_77(a);
         a.segnale(57);
         a.marcatore(56);
       }},
      {"21 cells back",
       {},
       {r, segnale_sx1(2750)},
       0,
       0,
       [](celle_attese& a) {
         avviso_77(a);
         a.segnale(56);
       }},
      {"1 cell back",
       {},
       {r, segnale_sx1(3750)},
       0,
       0,
       [](celle_attese& a) {
         avviso_77(a);
         a.segnale(76);
         a.marcatore(75);
       }},
      {"two signals",
       {},
       {r, segnale_sx1(2950), segnale_sx1(3450)},
       0,
       0,
       [](celle_attese& a) {
         avviso_77(a);
         a.segnale(60);
         a.segnale(70);
         a.marcatore(59).marcatore(69);
       }},
      {"cell before taken",
       {},
       {r, segnale_sx1(3450), abb(3450, 0)},
       0,
       0,
       [](celle_attese& a) {
         avviso_77(a);
         a.segnale(70);
         a.oggetto(69, 13).marcatore(68);
       }},
  });
}

TEST(ConfiniPosa, RegolaAAbbassaA180) {
  // Both cells before the signal taken: a code-12 cell among them (the
  // nearer first) is lowered to 180 when above it; none: code 11 at the
  // signal's cell x 50.
  const std::string r = ral(5000, 120, 100);
  auto due_prese = [&](int a69, int a68, std::int32_t codice, std::int16_t d69, std::int16_t d68) {
    return caso{"69: " + to_string(a69) + " 68: " + to_string(a68),
                {},
                {r, segnale_sx1(3450), abb(3450, a69), abb(3400, a68)},
                codice,
                codice == 0 ? 0 : 3500,
                [=](celle_attese& a) {
                  avviso_77(a);
                  a.segnale(70);
                  a.oggetto(69, a69 < 1 ? 13 : 12, d69).oggetto(68, a68 < 1 ? 13 : 12, d68);
                }};
  };
  verifica_tutti({
      due_prese(250, 0, 0, 180, 0),
      due_prese(181, 0, 0, 180, 0),
      due_prese(180, 0, 0, 180, 0),
      due_prese(179, 0, 0, 179, 0),
      due_prese(0, 250, 0, 0, 180),
      due_prese(250, 300, 0, 180, 300),
      due_prese(0, 0, 11, 0, 0),
  });
}

TEST(ConfiniPosa, RegolaANonGuardaSottoLaCella3) {
  // The look-back stops at cell 3: a signal left in cell 3 (by a reading
  // that failed on its approach marks, code 25) gets its marker in cell 2,
  // one in cell 2 none. Slowdown at 1550 m: warning board in cell 8.
  auto caso_con = [](int p, std::size_t cella) {
    return caso{"signal in cell " + to_string(cella),
                {},
                {ral(1550, 120, 100), segnale_sx1(p)},
                25,
                0,
                [=](celle_attese& a) {
                  a.oggetto(8, 4, 120).oggetto(32, 3, 120).oggetto(34, 2, 120);
                  a.marcatore(27).marcatore(21).marcatore(14);
                  a.oggetto(cella, 1, 0, 0, 0, 3).in(cella - 2, campo::segno, 31);
                  if (cella == 3) a.marcatore(2);
                }};
  };
  verifica_tutti({caso_con(100, 3), caso_con(50, 2)});
}

TEST(ConfiniPosa, RegolaBTreGruppi) {
  // Group 1 (cells i - 5 .. i - 7) from i = 8, group 2 (i - 11 .. i - 13)
  // from 14, group 3 (i - 18 .. i - 20) from 21.
  auto inizio = [](std::size_t i, std::vector<std::size_t> marcatori) {
    return caso{"start in cell " + to_string(i),
                {},
                {ral(static_cast<int>(50 * (i - 1)), 120, 100)},
                0,
                0,
                [=](celle_attese& a) {
                  a.oggetto(i, 3, 120).oggetto(i + 2, 2, 120);
                  for (const std::size_t k : marcatori) a.marcatore(k);
                }};
  };
  verifica_tutti({inizio(7, {}), inizio(8, {3}), inizio(13, {8}), inizio(14, {9, 3}),
                  inizio(20, {15, 9}), inizio(21, {16, 10, 3})});
}

TEST(ConfiniPosa, RegolaBCandidati) {
  // Start in cell 30: group 1 tries 25, 24, 23 in this order; a code-12
  // cell is no room and keeps its value; all three taken: code 12 at cell
  // 30 x 50, and the other groups are still served.
  auto gruppo1 = [](std::vector<int> prese, std::int32_t codice, std::vector<std::size_t> marcatori,
                    int valore = 0) {
    std::vector<std::string> s = {ral(1450, 120, 100)};
    for (const int k : prese) s.push_back(abb(50 * k, valore));
    return caso{"taken " + to_string(prese.size()),
                {},
                s,
                codice,
                codice == 0 ? 0 : 1500,
                [=](celle_attese& a) {
                  a.oggetto(30, 3, 120).oggetto(32, 2, 120);
                  for (const int k : prese) {
                    a.oggetto(static_cast<std::size_t>(k), valore < 1 ? 13 : 12,
                              static_cast<std::int16_t>(valore));
                  }
                  for (const std::size_t k : marcatori) a.marcatore(k);
                }};
  };
  verifica_tutti({
      gruppo1({25}, 0, {24, 19, 12}),
      gruppo1({25, 24}, 0, {23, 19, 12}),
      gruppo1({25, 24, 23}, 12, {19, 12}),
      gruppo1({22}, 0, {25, 19, 12}),
      gruppo1({25}, 0, {24, 19, 12}, 200),
  });
}

// Rules C and D: a slowdown from cell 100 (4950 m), warning board in cell
// 76, with its rule-B markers.
void inizio_100(celle_attese& a, std::int16_t v) {
  a.oggetto(76, 4, v).oggetto(100, 3, v);
  a.marcatore(95).marcatore(89).marcatore(82);
}

TEST(ConfiniPosa, RegolaCSottoI110) {
  // Below 110 km/h a marker every 8 cells from the start (108, 116 up to
  // the end in cell 120); none from 110 on.
  verifica_tutti({
      {"109",
       {},
       {ral(4950, 109, 1000)},
       0,
       0,
       [](celle_attese& a) {
         inizio_100(a, 109);
         a.oggetto(120, 2, 109).marcatore(108).marcatore(116);
       }},
      {"110",
       {},
       {ral(4950, 110, 1000)},
       0,
       0,
       [](celle_attese& a) {
         inizio_100(a, 110);
         a.oggetto(120, 2, 110);
       }},
  });
}

TEST(ConfiniPosa, RegolaCOgniOttoCelle) {
  // The 8th cell of the walk: the end cell 7 cells after the start comes
  // first; at 8 cells the end cell is taken and the marker goes before it.
  // A taken 8th cell moves the marker one back, or one on; all three taken
  // is code 13 at the 8th cell x 50 and ends the walk's markers.
  const std::string lunga = ral(4950, 50, 1000);
  auto fine = [](int l, std::size_t fine_cella, std::vector<std::size_t> marcatori) {
    return caso{
        "end in cell " + to_string(fine_cella), {}, {ral(4950, 50, l)}, 0, 0, [=](celle_attese& a) {
          inizio_100(a, 50);
          a.oggetto(fine_cella, 2, 50);
          for (const std::size_t k : marcatori) a.marcatore(k);
        }};
  };
  auto prese = [&](std::vector<int> celle, std::int32_t codice,
                   std::vector<std::size_t> marcatori) {
    std::vector<std::string> s;
    for (const int k : celle) s.push_back(abb(50 * k, 0));
    s.push_back(lunga);
    return caso{"taken from " + to_string(celle.front()),
                {},
                s,
                codice,
                codice == 0 ? 0 : 5400,
                [=](celle_attese& a) {
                  inizio_100(a, 50);
                  a.oggetto(120, 2, 50);
                  for (const int k : celle) a.oggetto(static_cast<std::size_t>(k), 13);
                  for (const std::size_t k : marcatori) a.marcatore(k);
                }};
  };
  verifica_tutti({
      fine(350, 107, {}),
      fine(400, 108, {107}),
      fine(450, 109, {108}),
      prese({108}, 0, {107, 115}),
      prese({108, 107}, 0, {109, 117}),
      prese({108, 109}, 0, {107, 115}),
      prese({108, 107, 109}, 13, {}),
  });
}

TEST(ConfiniPosa, RegolaCFinoAllUltimaCella) {
  // A walk without an end cell after its start runs to cell 160, the last,
  // and may place a marker there. With its end in cell 160 and cell 159
  // taken there is no cell after it: code 13 at 8000.
  auto da_152 = [](celle_attese& a) {
    a.oggetto(128, 4, 50).oggetto(152, 3, 50);
    a.marcatore(147).marcatore(141).marcatore(134);
  };
  verifica_tutti({
      {"no end after the start",
       {},
       {ral(7550, 50, -100)},
       0,
       0,
       [&](celle_attese& a) {
         da_152(a);
         a.oggetto(150, 2, 50).marcatore(160);
       }},
      {"end in cell 160",
       {},
       {ral(7550, 50, 400)},
       0,
       0,
       [&](celle_attese& a) {
         da_152(a);
         a.oggetto(160, 2, 50).marcatore(159);
       }},
      {"end in cell 160, 159 taken",
       {},
       {ral(7550, 50, 400), segnale_sx1(7900)},
       13,
       8000,
       [&](celle_attese& a) {
         da_152(a);
         a.oggetto(160, 2, 50);
         a.segnale(159);
       }},
  });
}

TEST(ConfiniPosa, RegolaDDodiciCelleDopoLaFine) {
  // The first signal among the end cell (120) and the 12 after it gets a
  // marker in the cell before it, or the one before that; both taken: code
  // 13 at the end cell x 50. Also after a slowdown of 110 km/h, from its
  // end cell.
  auto dopo = [](std::vector<std::string> s, std::int32_t codice, std::vector<std::size_t> segnali,
                 std::vector<std::size_t> marcatori, std::vector<std::size_t> prese = {},
                 std::int16_t v = 50) {
    s.insert(s.begin(), ral(4950, v, 1000));
    return caso{s.back(), {}, s, codice, codice == 0 ? 0 : 6000, [=](celle_attese& a) {
                  inizio_100(a, v);
                  a.oggetto(120, 2, v);
                  if (v < 110) a.marcatore(108).marcatore(116);
                  for (const std::size_t k : segnali) a.segnale(k);
                  for (const std::size_t k : prese) a.oggetto(k, 13);
                  for (const std::size_t k : marcatori) a.marcatore(k);
                }};
  };
  verifica_tutti({
      dopo({segnale_sx1(6550)}, 0, {132}, {131}),
      dopo({segnale_sx1(6600)}, 0, {133}, {}),
      dopo({segnale_sx1(6000)}, 0, {121}, {119}),
      dopo({segnale_sx1(6200)}, 0, {125}, {124}),
      dopo({segnale_sx1(6200), abb(6200, 0)}, 0, {125}, {123}, {124}),
      dopo({segnale_sx1(6200), abb(6200, 0), abb(6150, 0)}, 13, {125}, {}, {124, 123}),
      dopo({segnale_sx1(6200), segnale_sx1(6450)}, 0, {125, 130}, {124}),
      dopo({segnale_sx1(6200)}, 0, {125}, {124}, {}, 110),
      // A fast slowdown of 50 m: its end is the very next cell, 101.
      {"end in the next cell",
       {},
       {ral(4950, 120, 50), segnale_sx1(5200)},
       0,
       0,
       [](celle_attese& a) {
         inizio_100(a, 120);
         a.oggetto(101, 2, 120).segnale(105).marcatore(104);
       }},
  });
}

}  // namespace
}  // namespace scenario::confini
