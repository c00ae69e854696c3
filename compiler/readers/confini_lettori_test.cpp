// Boundary tests of the two readers through the compile step: every numeric
// condition of the line description reader, the service file reader and
// the number fields, at its boundary and on both sides, checked in the
// bytes of the cell data, simulation and line data files and in the error
// pair. The expected values are worked out from the format's rules by hand
// (docs/formats.md); the inventory of conditions is in docs/reliability.md,
// "Boundary tests". A line of 1000 m has cells 0 .. 160 (R(8000 / 50)); a
// record fits when (p + 100) / 50 <= 160, that is p <= 7900, a station when
// (p + 800) / 50 <= 160, p <= 7200.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/prove_confini.h"

namespace scenario::confini {
namespace {

using std::to_string;

// A "stazione" record: axis, type, length, dato_b4, prolunga; the other
// station data 0; time and the name "S".
std::string stazione(std::int64_t p, int tipo, std::int64_t ls, int dato_b4 = 0, int prolunga = 0,
                     const std::string& ora = "0, 0, 0") {
  return "stazione, " + to_string(p) + ", " + to_string(tipo) + ", " + to_string(ls) + ", 0, " +
         to_string(dato_b4) + ", " + to_string(prolunga) + ", 0, 0, 0, 0, 0, 0, 0, " + ora + ", S";
}

// ------------------------------------------------- line description ---

TEST(ConfiniLettoreLinea, LunghezzaPercorsoFinoA1000000) {
  // L + 7000 metres in R((L + 7000) / 50) + 1 cells of 15 bytes; above
  // 1000000 code 1 and no model. Without the plan geometry (j = 0), so that
  // a million points are not laid.
  struct riga {
    std::int64_t L;
    std::int32_t codice;
    std::size_t celle;  // 0: no cell data file
  };
  for (const riga& r : std::vector<riga>{{999999, 0, 20141},
                                         {1000000, 0, 20141},
                                         {1000001, 1, 0},
                                         {24, 0, 141},  // R(140.48)
                                         {25, 0, 141},  // R(140.5) = 140, halves to even
                                         {26, 0, 142},  // R(140.52)
                                         {74, 0, 142},  // R(141.48)
                                         {75, 0, 143},  // R(141.5) = 142
                                         {76, 0, 143},
                                         {125, 0, 143},     // R(142.5) = 142
                                         {175, 0, 145}}) {  // R(143.5) = 144
    SCOPED_TRACE(r.L);
    risultato_compilazione x = compila_testi(linea(r.L, {}), servizio({}), 0);
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    EXPECT_EQ(x.celle_dat.size(), r.celle * 15);
    if (r.celle != 0) {
      EXPECT_EQ(voci_sim(x.sim).at(84).fine, r.L);
      // Level grade up to the third cell from the end.
      const std::vector<cella_dat> c = celle_dat(x.celle_dat);
      EXPECT_EQ(c.at(r.celle - 4).pendenza, 100);
      EXPECT_EQ(c.at(r.celle - 3).pendenza, 0);
    }
  }
}

TEST(ConfiniLettoreLinea, LunghezzaNegativa) {
  // The model needs n_celle = R((L + 7000) / 50) >= 0 cells and, with the
  // plan geometry, L + 7000 >= 0 for its points and >= 1 for the two seed
  // points. Observed in the model: with one cell no file is written.
  struct riga {
    std::int64_t L;
    std::int32_t j;
    std::int32_t codice;
    std::size_t celle;
  };
  for (const riga& r : std::vector<riga>{{-6950, 1, 0, 2},
                                         {-6975, 1, 0, 1},  // R(0.5) = 0
                                         {-6999, 1, 0, 1},
                                         {-7000, 1, 25, 1},  // one point: no room for the seed
                                         {-7001, 1, 25, 0},
                                         {-7025, 0, 0, 1},   // R(-0.5) = 0
                                         {-7026, 0, 25, 0},  // R(-0.52) = -1
                                         {-7001, 0, 0, 1}}) {
    SCOPED_TRACE(to_string(r.L) + " j " + to_string(r.j));
    risultato_compilazione x = compila_testi(linea(r.L, {}), servizio({}), r.j);
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    EXPECT_EQ(x.modello.celle.size(), r.celle);
    EXPECT_EQ(x.celle_dat.size(), r.celle == 2 ? 30u : 0u);
  }
}

TEST(ConfiniLettoreLinea, RipetizioneSegnaliSuMultipliDi50) {
  // Entry 86: start, end, number of codes (4 or 9 from the keyword, 0 when
  // the end is 0). A start off the grid is code 3, an end code 4, no digit
  // code 5; then the line file is left and nothing else is read.
  struct riga {
    std::string record;
    std::int32_t codice;
    std::int32_t inizio, fine, codici;
  };
  const std::string k4 = "ripetizione segnali 4 codici, ";
  for (const riga& r : std::vector<riga>{
           {k4 + "0, 0", 0, 0, 0, 0},
           {k4 + "50, 100", 0, 50, 100, 4},
           {k4 + "49, 100", 3, 49, 100, 0},
           {k4 + "51, 100", 3, 51, 100, 0},
           {k4 + "-1, 100", 3, -1, 100, 0},
           {k4 + "-50, 100", 0, -50, 100, 4},
           {k4 + "50, 49", 4, 50, 49, 0},
           {k4 + "50, 51", 4, 50, 51, 0},
           {k4 + "50, -1", 4, 50, -1, 0},
           {k4 + "50, -50", 0, 50, -50, 4},
           {k4 + "50, 0", 0, 50, 0, 0},
           {"ripetizione segnali 9 codici, 50, 100", 0, 50, 100, 9},
           {"ripetizione segnali 9 codici, 50, 0", 0, 50, 0, 0},
           {"ripetizione segnali 49 codici, 50, 100", 0, 50, 100, 4},
           {"ripetizione segnali codici, 50, 100", 5, 50, 100, 0},
       }) {
    SCOPED_TRACE(r.record);
    risultato_compilazione x =
        compila_testi(linea(1000, {}, {r.record}), servizio({"abbattimento, 500, 7"}));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    EXPECT_EQ(x.modello.posizione_errore, 0);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const voce_sim e = voci_sim(x.sim).at(86);
    EXPECT_EQ(e.inizio, r.inizio);
    EXPECT_EQ(e.fine, r.fine);
    EXPECT_EQ(e.posizione, r.codici);
    // The service file is read only when the line file was read to its end.
    EXPECT_EQ(celle_dat(x.celle_dat).at(10).tipo, r.codice == 0 ? 12 : 0);
  }
}

TEST(ConfiniLettoreLinea, DieciCampiConTrattinoNellaSezioneGenerale) {
  // Up to ten fields with a dash are passed over in a row; the eleventh is
  // examined. A second "lunghezza percorso" of 2000 m (181 cells) behind k
  // dash fields counts only at k = 10.
  for (const auto& [k, celle] :
       std::vector<std::pair<int, std::size_t>>{{0, 161}, {9, 161}, {10, 181}, {11, 161}}) {
    SCOPED_TRACE(k);
    std::vector<std::string> generale(static_cast<std::size_t>(k), "-");
    generale.push_back("-lunghezza percorso, 2000");
    risultato_compilazione x = compila_testi(linea(1000, {}, generale), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, 0);
    EXPECT_EQ(x.celle_dat.size(), celle * 15);
  }
}

TEST(ConfiniLettoreLinea, DueCampiConTrattinoNelCorpo) {
  // In the body up to two fields with a dash are passed over; the third is
  // examined: "-abbattimento" counts only behind exactly two.
  for (const auto& [k, conta] :
       std::vector<std::pair<int, bool>>{{0, false}, {1, false}, {2, true}, {3, false}}) {
    SCOPED_TRACE(k);
    std::vector<std::string> corpo(static_cast<std::size_t>(k), "-");
    corpo.push_back("-abbattimento, 500, 7");
    risultato_compilazione x = compila_testi(linea(1000, {}), servizio(corpo));
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const cella_dat c = celle_dat(x.celle_dat).at(10);
    EXPECT_EQ(c.tipo, conta ? 12 : 0);
    EXPECT_EQ(c.dato1, conta ? 7 : 0);
  }
}

TEST(ConfiniLettoreLinea, SpazioNelleCelle) {
  // Room test of every record of the line file at 7899, 7900 (the last
  // that fits) and 7901 m: code 15 at the record's position, the reading
  // left and nothing of the record kept.
  verifica_tutti({
      {"pendenza 7899: R(157.98) = 158",
       {"pendenza, 7899, 5"},
       {},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::pendenza, 105); }},
      {"pendenza 7900",
       {"pendenza, 7900, 5"},
       {},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::pendenza, 105); }},
      {"pendenza 7901", {"pendenza, 7901, 5"}, {}, 15, 7901, nullptr},
      {"pendenza 7875: R(157.5) = 158",
       {"pendenza, 7875, 5"},
       {},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::pendenza, 105); }},
      {"pendenza 7825: R(156.5) = 156",
       {"pendenza, 7825, 5"},
       {},
       0,
       0,
       [](celle_attese& a) { a.tratto(156, 157, campo::pendenza, 105); }},
      {"montagna 7899",
       {"montagna, 7899, 7999, 2"},
       {},
       0,
       0,
       [](celle_attese& a) { a.tratto(158, 159, campo::montagna, 2); }},
      {"montagna 7900",
       {"montagna, 7900, 8000, 2"},
       {},
       0,
       0,
       [](celle_attese& a) { a.tratto(158, 159, campo::montagna, 2); }},
      {"montagna 7901", {"montagna, 7901, 8001, 2"}, {}, 15, 7901, nullptr},
      {"indicatori 7899: R(158.98) = 159",
       {"indicatori_vmax, 7899, 10, 0, 0, 0, 0, 0, 0, 0"},
       {},
       0,
       0,
       [](celle_attese& a) { a.oggetto(159, 6, 200); }},
      {"indicatori 7900",
       {"indicatori_vmax, 7900, 10, 0, 0, 0, 0, 0, 0, 0"},
       {},
       0,
       0,
       [](celle_attese& a) { a.oggetto(159, 6, 200); }},
      {"indicatori 7901",
       {"indicatori_vmax, 7901, 10, 0, 0, 0, 0, 0, 0, 0"},
       {},
       15,
       7901,
       nullptr},
      {"cartello 7899",
       {"cartello_indicatore, 7899, AVVISO"},
       {},
       0,
       0,
       [](celle_attese& a) { a.oggetto(159, 14, 80); }},
      {"cartello 7900",
       {"cartello_indicatore, 7900, AVVISO"},
       {},
       0,
       0,
       [](celle_attese& a) { a.oggetto(159, 14, 80); }},
      {"cartello 7901", {"cartello_indicatore, 7901, AVVISO"}, {}, 15, 7901, nullptr},
      // A record after a code 15 is not read.
      {"after 15",
       {"cartello_indicatore, 7901, AVVISO", "cartello_indicatore, 500, AVVISO"},
       {},
       15,
       7901,
       nullptr},
  });
}

// The plan geometry worked out point by point from the rules: (0, 0),
// (0, 1), then each point the one before plus the step before, turned by c
// per metre on the points s + 1 .. s + n of each curve (s, n, c).
struct curva_modello {
  std::int64_t s, n;
  double c;
};
std::vector<std::pair<double, double>> geometria(std::int64_t ultimo,
                                                 const std::vector<curva_modello>& curve) {
  std::vector<std::pair<double, double>> p = {{0, 0}, {0, 1}};
  for (std::int64_t k = 2; k <= ultimo; ++k) {
    const auto [x1, y1] = p[static_cast<std::size_t>(k - 1)];
    const auto [x2, y2] = p[static_cast<std::size_t>(k - 2)];
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    double c = 0.0;
    for (const curva_modello& cv : curve) {
      if (k > cv.s && k <= cv.s + cv.n) c = cv.c;
    }
    p.push_back(c == 0.0 ? std::pair{x1 + dx, y1 + dy}
                         : std::pair{x1 + (dx + c * dy), y1 + (dy - c * dx)});
  }
  return p;
}

// The line data file against the model: points 0 .. pieni - 1 hold values
// (0 and 1 Integers, then Doubles) and the rest up to 8000 are empty.
void confronta_geometria(std::string_view dat, std::int64_t pieni,
                         const std::vector<curva_modello>& curve) {
  const std::vector<variante> v = varianti(dat);
  ASSERT_EQ(v.size(), 2u * 8001u);
  const auto p = geometria(pieni - 1, curve);
  int diversi = 0;
  for (std::size_t k = 0; k <= 8000; ++k) {
    const std::uint16_t tag = k < 2 ? 2 : (k < static_cast<std::size_t>(pieni) ? 5 : 0);
    const variante& x = v[k];
    const variante& y = v[8001 + k];
    bool uguale = x.tag == tag && y.tag == tag;
    if (tag != 0) uguale = uguale && x.valore == p[k].first && y.valore == p[k].second;
    if (!uguale && ++diversi <= 5) {
      ADD_FAILURE() << "point " << k << ": tags " << x.tag << ' ' << y.tag << " values " << x.valore
                    << ' ' << y.valore;
    }
  }
  EXPECT_EQ(diversi, 0);
}

TEST(ConfiniLettoreLinea, CurveClassiEPunti) {
  // Class digits 1 .. 6 and the side; no digit 1 .. 6 is code 103 and the
  // line file is left with only the two seed points. The last two points
  // (7999, 8000) stay empty.
  const double classi[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int k = 1; k <= 6; ++k) {
    for (const char lato : {'d', 's'}) {
      const std::string chiave = std::string("curva") + lato + to_string(k);
      SCOPED_TRACE(chiave);
      risultato_compilazione x = compila_testi(linea(1000, {chiave + ", 100, 10"}), servizio({}));
      EXPECT_EQ(x.modello.codice_errore, 0);
      const double c = lato == 's' ? -classi[k - 1] : classi[k - 1];
      confronta_geometria(x.linea_dat(), 7999, {{100, 10, c}});
    }
  }
  for (const std::string chiave : {"curvad7", "curvad0", "curvad"}) {
    SCOPED_TRACE(chiave);
    risultato_compilazione x = compila_testi(linea(1000, {chiave + ", 100, 10"}), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, 103);
    confronta_geometria(x.linea_dat(), 2, {});
  }
}

TEST(ConfiniLettoreLinea, CurvaFinoAllUltimoPunto) {
  // A curve may run to point L + 7000 = 8000, the last; one metre more is
  // code 25, after the points up to the last are laid. Its start takes the
  // room test (7900 fits, 7901 is code 15 and the track runs straight).
  struct riga {
    std::string record;
    std::int32_t codice, posizione;
    std::int64_t pieni;
    std::vector<curva_modello> curve;
  };
  for (const riga& r : std::vector<riga>{
           {"curvad4, 7900, 99", 0, 0, 8000, {{7900, 99, 0.001}}},
           {"curvad4, 7900, 100", 0, 0, 8001, {{7900, 100, 0.001}}},
           {"curvad4, 7900, 101", 25, 0, 8001, {{7900, 101, 0.001}}},
           {"curvad4, 7901, 10", 15, 7901, 7999, {}},
           {"curvad4, 7900, 10", 0, 0, 7999, {{7900, 10, 0.001}}},
           // A run of one point: the curve's only point, and the last straight one.
           {"curvad4, 100, 1", 0, 0, 7999, {{100, 1, 0.001}}},
           {"curvad4, 7900, 97", 0, 0, 7999, {{7900, 97, 0.001}}},
       }) {
    SCOPED_TRACE(r.record);
    risultato_compilazione x = compila_testi(linea(1000, {r.record}), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    EXPECT_EQ(x.modello.posizione_errore, r.posizione);
    confronta_geometria(x.linea_dat(), r.pieni, r.curve);
  }
}

TEST(ConfiniLettoreLinea, CurvaFinoAlPuntoUnMilione) {
  // Laying point 1000000 of a line of 1000000 m (points up to 1007000)
  // stops the reading with code 103; point 999999 is the last one allowed.
  for (const auto& [record, codice] :
       std::vector<std::pair<std::string, std::int32_t>>{{"curvad1, 999000, 999", 0},
                                                         {"curvad1, 999000, 1000", 103},
                                                         {"curvad1, 999999, 0", 0},
                                                         {"curvad1, 1000000, 0", 103}}) {
    SCOPED_TRACE(record);
    // An indication board after the curve is kept only when the reading
    // goes on.
    risultato_compilazione x =
        compila_testi(linea(1000000, {record, "cartello_indicatore, 500, AVVISO"}), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, codice);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    EXPECT_EQ(celle_dat(x.celle_dat).at(11).tipo, codice == 0 ? 14 : 0);
  }
}

// ---------------------------------------------------------- profiles ---

TEST(ConfiniLettori, ProfiliDallaCellaRDiP) {
  // Grade, speed and adhesion: a record at p closes the value before it up
  // to cell R(p / 50), exclusive; R(p / 50) = 0 writes nothing. The first
  // record at 0 sets the value written up to p; the last value runs to cell
  // 157, the third from the end.
  struct riga {
    std::int64_t p;
    std::size_t prime;  // cells 0 .. prime - 1 get the first value
  };
  const std::vector<riga> righe_p = {{0, 0},  {25, 0}, {26, 1},  {50, 1},
                                     {74, 1}, {75, 2}, {125, 2}, {126, 3}};
  for (const riga& r : righe_p) {
    const std::string p = to_string(r.p);
    verifica({"pendenza " + p,
              {"pendenza, 0, 5", "pendenza, " + p + ", 7"},
              {},
              0,
              0,
              [&](celle_attese& a) {
                a.tratto(0, 157, campo::pendenza, 107);
                if (r.prime > 0) a.tratto(0, r.prime - 1, campo::pendenza, 105);
              }});
    verifica({"velocita " + p,
              {},
              {"velocita, 0, 50", "velocita, " + p + ", 100"},
              0,
              0,
              [&](celle_attese& a) {
                a.tratto(0, 157, campo::velocita, 20);
                if (r.prime > 0) a.tratto(0, r.prime - 1, campo::velocita, 10);
              }});
    verifica({"aderenza " + p,
              {},
              {"aderenza, 0, 3", "aderenza, " + p + ", 4"},
              0,
              0,
              [&](celle_attese& a) {
                a.tratto(0, 157, campo::aderenza, 4);
                if (r.prime > 0) a.tratto(0, r.prime - 1, campo::aderenza, 3);
              }});
  }
}

TEST(ConfiniLettori, ProfiloIndietroScriveUnaCella) {
  // A record at or behind the fill index still writes one cell.
  verifica_tutti({
      {"pendenza",
       {"pendenza, 0, 1", "pendenza, 500, 2", "pendenza, 250, 3"},
       {},
       0,
       0,
       [](celle_attese& a) {
         a.tratto(0, 9, campo::pendenza, 101).in(10, campo::pendenza, 102);
         a.tratto(11, 157, campo::pendenza, 103);
       }},
      {"velocita",
       {},
       {"velocita, 0, 5", "velocita, 500, 10", "velocita, 250, 15"},
       0,
       0,
       [](celle_attese& a) {
         a.tratto(0, 9, campo::velocita, 1).in(10, campo::velocita, 2);
         a.tratto(11, 157, campo::velocita, 3);
       }},
      {"aderenza",
       {},
       {"aderenza, 0, 5", "aderenza, 500, 10", "aderenza, 500, 15"},
       0,
       0,
       [](celle_attese& a) {
         a.tratto(0, 9, campo::aderenza, 5).in(10, campo::aderenza, 10);
         a.tratto(11, 157, campo::aderenza, 15);
       }},
  });
}

TEST(ConfiniLettori, ValoriDeiProfiliNelleCelle) {
  // Grade + 100 and adhesion keep 8 bits; speed / 5 is rounded and must
  // fit 0 .. 255 (1277 km/h and -2 km/h still do), else code 25; a grade
  // whose + 100 overflows a Long is code 25 as well.
  auto pendenza = [](std::int64_t g, std::int32_t codice, int cella) {
    return caso{"pendenza " + to_string(g),
                {"pendenza, 0, " + to_string(g)},
                {},
                codice,
                0,
                [=](celle_attese& a) { a.tratto(0, 157, campo::pendenza, cella); }};
  };
  auto velocita = [](std::int64_t v, std::int32_t codice, int cella) {
    return caso{"velocita " + to_string(v),
                {},
                {"velocita, 0, " + to_string(v)},
                codice,
                0,
                [=](celle_attese& a) { a.tratto(0, 157, campo::velocita, cella); }};
  };
  auto aderenza = [](std::int64_t v, int cella) {
    return caso{"aderenza " + to_string(v),
                {},
                {"aderenza, 0, " + to_string(v)},
                0,
                0,
                [=](celle_attese& a) { a.tratto(0, 157, campo::aderenza, cella); }};
  };
  verifica_tutti({
      pendenza(155, 0, 255),
      pendenza(156, 0, 0),
      pendenza(-100, 0, 0),
      pendenza(-101, 0, 255),
      pendenza(2147483547, 0, 255),
      pendenza(2147483548, 25, 0),
      velocita(1277, 0, 255),
      velocita(1278, 25, 0),
      velocita(-2, 0, 0),
      velocita(-3, 25, 0),
      velocita(2, 0, 0),
      velocita(3, 0, 1),
      velocita(7, 0, 1),
      velocita(8, 0, 2),
      aderenza(255, 255),
      aderenza(256, 0),
      aderenza(-1, 255),
  });
}

TEST(ConfiniLettori, ProfiliAllaFineDelleCelle) {
  // A line of -6850 m has cells 0 .. 3; records at 50 m fit ((50 + 100) /
  // 50 = 3) and each writes one cell. Grade and adhesion records may fill
  // up to cell 3 and the end of the file writes one more: a fill past cell 3
  // is code 25. A speed record stops at cell 3 instead, and the end of the
  // file writes the last speed there.
  struct riga {
    std::string chiave;
    bool servizio;
    int n;  // records at 50 m, values 1 .. n (speeds 5 .. 5n)
    std::int32_t codice;
    std::vector<int> celle;  // the field in cells 0 .. 3
  };
  for (const riga& r : std::vector<riga>{
           {"pendenza", false, 2, 0, {100, 101, 102, 0}},
           {"pendenza", false, 3, 0, {100, 101, 102, 103}},
           {"pendenza", false, 4, 25, {100, 101, 102, 103}},
           {"aderenza", true, 2, 0, {0, 1, 2, 0}},
           {"aderenza", true, 3, 0, {0, 1, 2, 3}},
           {"aderenza", true, 4, 25, {0, 1, 2, 3}},
           {"velocita", true, 2, 0, {0, 1, 2, 0}},
           {"velocita", true, 3, 0, {0, 1, 2, 3}},
           {"velocita", true, 4, 0, {0, 1, 2, 4}},
           {"velocita", true, 5, 0, {0, 1, 2, 5}},
       }) {
    SCOPED_TRACE(r.chiave + " x " + to_string(r.n));
    std::vector<std::string> record;
    for (int i = 1; i <= r.n; ++i) {
      record.push_back(r.chiave + ", 50, " + to_string(r.chiave == "velocita" ? 5 * i : i));
    }
    risultato_compilazione x =
        compila_testi(linea(-6850, r.servizio ? std::vector<std::string>{} : record),
                      servizio(r.servizio ? record : std::vector<std::string>{}));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const std::vector<cella_dat> c = celle_dat(x.celle_dat);
    ASSERT_EQ(c.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
      const int v = r.chiave == "pendenza"   ? c[k].pendenza
                    : r.chiave == "aderenza" ? c[k].aderenza
                                             : c[k].velocita;
      EXPECT_EQ(v, r.celle[k]) << "cell " << k;
    }
  }
}

// ------------------------------------------------------ service file ---

TEST(ConfiniLettoreServizio, SpazioNelleCelle) {
  // Room test of every record of the service file at 7899, 7900 and 7901 m;
  // a station needs 800 m: 7150 and 7200 fit, 7201 and 7250 do not, and the
  // room test comes before the grid test.
  verifica_tutti({
      {"velocita 7900",
       {},
       {"velocita, 7900, 100"},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::velocita, 20); }},
      {"velocita 7899",
       {},
       {"velocita, 7899, 100"},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::velocita, 20); }},
      {"velocita 7901", {}, {"velocita, 7901, 100"}, 15, 7901, nullptr},
      {"aderenza 7900",
       {},
       {"aderenza, 7900, 7"},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::aderenza, 7); }},
      {"aderenza 7899",
       {},
       {"aderenza, 7899, 7"},
       0,
       0,
       [](celle_attese& a) { a.in(158, campo::aderenza, 7); }},
      {"aderenza 7901", {}, {"aderenza, 7901, 7"}, 15, 7901, nullptr},
      {"segnale 7900", {}, {segnale_sx1(7900)}, 0, 0, [](celle_attese& a) { a.segnale(159); }},
      {"segnale 7899: R(158.98) = 159",
       {},
       {segnale_sx1(7899)},
       0,
       0,
       [](celle_attese& a) { a.segnale(159); }},
      {"segnale 7901", {}, {segnale_sx1(7901)}, 15, 7901, nullptr},
      // The start in cell 159 lies past the placement pass's last cell (158).
      {"rallentamento 7900",
       {},
       {"rallentamento, 7900, 120, 50, 0, 0, 0"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(135, 4, 120).oggetto(159, 3, 120).oggetto(160, 2, 120); }},
      {"rallentamento 7899",
       {},
       {"rallentamento, 7899, 120, 50, 0, 0, 0"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(135, 4, 120).oggetto(159, 3, 120).oggetto(160, 2, 120); }},
      {"rallentamento 7901", {}, {"rallentamento, 7901, 120, 50, 0, 0, 0"}, 15, 7901, nullptr},
      {"abbattimento 7900",
       {},
       {"abbattimento, 7900, 5"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(158, 12, 5); }},
      {"abbattimento 7899",
       {},
       {"abbattimento, 7899, 5"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(158, 12, 5); }},
      {"abbattimento 7901", {}, {"abbattimento, 7901, 5"}, 15, 7901, nullptr},
      {"stazione 7200",
       {},
       {stazione(7200, 12, 400)},
       0,
       0,
       [](celle_attese& a) {
         a.in(146, campo::segno, 81).in(145, campo::segno, 82);
         a.in(144, campo::segno, 83).in(143, campo::segno, 84);
         a.oggetto(147, 10, 1);
       }},
      {"stazione 7150",
       {},
       {stazione(7150, 12, 400)},
       0,
       0,
       [](celle_attese& a) {
         a.in(145, campo::segno, 81).in(144, campo::segno, 82);
         a.in(143, campo::segno, 83).in(142, campo::segno, 84);
         a.oggetto(146, 10, 1);
       }},
      {"stazione 7201", {}, {stazione(7201, 12, 400)}, 15, 7201, nullptr},
      {"stazione 7250", {}, {stazione(7250, 12, 400)}, 15, 7250, nullptr},
      // p + 100 (+ 800 for a station) is a Long: one past its end is code 25.
      {"abbattimento 2147483547", {}, {"abbattimento, 2147483547, 5"}, 15, 2147483547, nullptr},
      {"abbattimento 2147483548", {}, {"abbattimento, 2147483548, 5"}, 25, 0, nullptr},
      {"stazione 2147482847", {}, {stazione(2147482847, 12, 400)}, 15, 2147482847, nullptr},
      {"stazione 2147482848", {}, {stazione(2147482848, 12, 400)}, 25, 0, nullptr},
      // The fills still run after a code 15; a record after it is not read.
      {"after 15",
       {},
       {"velocita, 0, 50", "abbattimento, 7901, 5", "abbattimento, 500, 5"},
       15,
       7901,
       [](celle_attese& a) { a.tratto(0, 157, campo::velocita, 10); }},
  });
}

TEST(ConfiniLettoreServizio, AbbattimentoConValoreDa1) {
  // A value below 1 is a marker without value (code 13, dato1 untouched);
  // from 1 on the value is kept in 16 bits. The cell is R(p / 50); a taken
  // cell is code 7, one before cell 0 code 25.
  verifica_tutti({
      {"0", {}, {"abbattimento, 500, 0"}, 0, 0, [](celle_attese& a) { a.oggetto(10, 13); }},
      {"1", {}, {"abbattimento, 500, 1"}, 0, 0, [](celle_attese& a) { a.oggetto(10, 12, 1); }},
      {"-1", {}, {"abbattimento, 500, -1"}, 0, 0, [](celle_attese& a) { a.oggetto(10, 13); }},
      {"2", {}, {"abbattimento, 500, 2"}, 0, 0, [](celle_attese& a) { a.oggetto(10, 12, 2); }},
      {"32767",
       {},
       {"abbattimento, 500, 32767"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(10, 12, 32767); }},
      {"32768",
       {},
       {"abbattimento, 500, 32768"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(10, 12, -32768); }},
      {"R(10.5) = 10",
       {},
       {"abbattimento, 525, 3"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(10, 12, 3); }},
      {"R(11.5) = 12",
       {},
       {"abbattimento, 575, 3"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(12, 12, 3); }},
      {"R(-0.5) = 0",
       {},
       {"abbattimento, -25, 3"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(0, 12, 3); }},
      {"R(-0.52) = -1", {}, {"abbattimento, -26, 3"}, 25, 0, nullptr},
      {"taken",
       {},
       {"abbattimento, 500, 3", "abbattimento, 500, 4"},
       7,
       500,
       [](celle_attese& a) { a.oggetto(10, 12, 3); }},
      {"on a tunnel marker",
       {"montagna, 350, 600, 12"},
       {"abbattimento, 500, 4"},
       0,
       0,
       [](celle_attese& a) { a.tratto(7, 11, campo::montagna, 2).oggetto(10, 12, 4); }},
  });
}

TEST(ConfiniLettoreServizio, AreaDellaStazionePerTipo) {
  // Station 2 at 2000 m, 300 m long, prolunga 1, dato_b4 9, behind station
  // 1 of type 30 (no cells) at 0: types 5-6 end 150 m after the axis, 7-8
  // reach the length both ways, the others are centred and prolunga adds
  // 50 m; below 25 an end cell, and approach marks but for 5 and 6.
  struct riga {
    int tipo;
    std::int32_t inizio, fine;
    int prolunga;
    bool segni;
    std::size_t fine_cella;  // 0: none
  };
  for (const riga& r : std::vector<riga>{{4, 1850, 2200, 1, true, 43},
                                         {5, 1700, 2150, 0, false, 42},
                                         {6, 1700, 2150, 0, false, 42},
                                         {7, 1700, 2300, 0, true, 45},
                                         {8, 1700, 2300, 0, true, 45},
                                         {9, 1850, 2200, 1, true, 43},
                                         {12, 1850, 2200, 1, true, 43},
                                         {24, 1850, 2200, 1, true, 43},
                                         {25, 1850, 2200, 1, false, 0}}) {
    SCOPED_TRACE(r.tipo);
    risultato_compilazione x = compila_testi(
        linea(1000, {}), servizio({stazione(0, 30, 0), stazione(2000, r.tipo, 300, 9, 1)}));
    EXPECT_EQ(x.modello.codice_errore, 0);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const voce_sim e = voci_sim(x.sim).at(2);
    EXPECT_EQ(e.tipo, r.tipo);
    EXPECT_EQ(e.posizione, 2000);
    EXPECT_EQ(e.inizio, r.inizio);
    EXPECT_EQ(e.fine, r.fine);
    EXPECT_EQ(e.prolunga, r.prolunga);
    EXPECT_EQ(e.dato_b4, 0);  // shorter than 600 m
    celle_attese a(160);
    if (r.fine_cella != 0) a.oggetto(r.fine_cella, 10, 2);
    if (r.segni) {
      for (int n = 1; n <= 4; ++n) {
        a.in(r.fine_cella - static_cast<std::size_t>(n), campo::segno, 80 + n);
      }
    }
    confronta_celle(x.celle_dat, a);
  }
}

TEST(ConfiniLettoreServizio, DatoB4Da600Metri) {
  // dato_b4 is kept from a length of 600 m on, and never for station 1,
  // whose prolunga is cleared too.
  for (const auto& [ls, b4] : std::vector<std::pair<int, int>>{{500, 0}, {600, 9}, {700, 9}}) {
    SCOPED_TRACE(ls);
    risultato_compilazione x = compila_testi(
        linea(1000, {}), servizio({stazione(0, 30, 600, 9, 1), stazione(2000, 30, ls, 9, 1)}));
    EXPECT_EQ(x.modello.codice_errore, 0);
    const std::vector<voce_sim> v = voci_sim(x.sim);
    EXPECT_EQ(v.at(1).dato_b4, 0);
    EXPECT_EQ(v.at(1).prolunga, 0);
    EXPECT_EQ(v.at(1).inizio, -300);
    EXPECT_EQ(v.at(1).fine, 350);  // prolunga counted before it is cleared
    EXPECT_EQ(v.at(2).dato_b4, b4);
    EXPECT_EQ(v.at(2).prolunga, 1);
  }
}

TEST(ConfiniLettoreServizio, SegniEFineStazioneOltreLaCella1) {
  // Approach mark n goes to cell R(fine / 50 - n - 1) only when that is
  // above 1; the end cell R(fine / 50 - 1) must be above 1, else code 24
  // (the reading stops, no position).
  verifica_tutti({
      {"fine 250 (prolunga 1)",
       {},
       {stazione(0, 12, 400, 0, 1, "13, 49, 0")},
       0,
       0,
       [](celle_attese& a) {
         a.in(3, campo::segno, 81).in(2, campo::segno, 82).oggetto(4, 10, 1);
       }},
      {"fine 300",
       {},
       {stazione(0, 12, 600)},
       0,
       0,
       [](celle_attese& a) {
         a.in(4, campo::segno, 81).in(3, campo::segno, 82).in(2, campo::segno, 83);
         a.oggetto(5, 10, 1);
       }},
      {"fine 200",
       {},
       {stazione(0, 12, 400)},
       0,
       0,
       [](celle_attese& a) { a.in(2, campo::segno, 81).oggetto(3, 10, 1); }},
      {"fine 150", {}, {stazione(0, 12, 300)}, 0, 0, [](celle_attese& a) { a.oggetto(2, 10, 1); }},
      {"fine 100", {}, {stazione(0, 12, 200)}, 24, 0, nullptr},
      {"tipo 5, fine 150",
       {},
       {stazione(0, 5, 300)},
       0,
       0,
       [](celle_attese& a) { a.oggetto(2, 10, 1); }},
      {"tipo 5, fine 100", {}, {stazione(-50, 5, 300)}, 24, 0, nullptr},
      {"tipo 30, fine 100",
       {},
       {stazione(-50, 30, 300), "abbattimento, 500, 1"},
       0,
       0,
       [](celle_attese& a) { a.oggetto(10, 12, 1); }},
  });
  risultato_compilazione x =
      compila_testi(linea(1000, {}), servizio({stazione(0, 12, 400, 0, 1, "13, 49, 0")}));
  const voce_sim e = voci_sim(x.sim).at(1);
  EXPECT_EQ(e.inizio, -200);
  EXPECT_EQ(e.fine, 250);
  EXPECT_EQ(e.orario, 49740);
}

TEST(ConfiniLettoreServizio, StazioniA350MetriAlmeno) {
  // Station 1 ends at 250 m; station 2, 200 m long, starts 100 m before
  // its axis and must start at least 350 m after 250. Its cells are written
  // before the test; code 22 stops the reading.
  auto prima = [](celle_attese& a) {
    a.in(3, campo::segno, 81).in(2, campo::segno, 82).oggetto(4, 10, 1);
  };
  auto seconda = [](celle_attese& a, std::size_t fine) {
    for (std::size_t n = 1; n <= 4; ++n) {
      a.in(fine - n, campo::segno, static_cast<std::int32_t>(80 + n));
    }
    a.oggetto(fine, 10, 2);
  };
  const std::string s1 = stazione(0, 12, 400, 0, 1);
  verifica_tutti({
      {"650",
       {},
       {s1, stazione(650, 12, 200)},
       22,
       650,
       [&](celle_attese& a) {
         prima(a);
         seconda(a, 14);
       }},
      {"700",
       {},
       {s1, stazione(700, 12, 200)},
       0,
       0,
       [&](celle_attese& a) {
         prima(a);
         seconda(a, 15);
       }},
      {"750",
       {},
       {s1, stazione(750, 12, 200)},
       0,
       0,
       [&](celle_attese& a) {
         prima(a);
         seconda(a, 16);
       }},
  });
}

TEST(ConfiniLettoreServizio, PostiDelleStazioniFinoAiCartelli) {
  // Stations take the entries from 1 up, boards from 80 down; when the next
  // station's entry reaches the next board's, code 10: 78 stations fit
  // beside no board, 77 beside one.
  struct riga {
    int stazioni, cartelli;
    std::int32_t codice;
  };
  for (const riga& r : std::vector<riga>{
           {77, 0, 0}, {78, 0, 0}, {79, 0, 10}, {76, 1, 0}, {77, 1, 0}, {78, 1, 10}}) {
    SCOPED_TRACE(to_string(r.stazioni) + " stations " + to_string(r.cartelli) + " boards");
    std::vector<std::string> s;
    for (int k = 0; k < r.stazioni; ++k) s.push_back(stazione(400 * k, 30, 0));
    s.push_back("abbattimento, 35000, 1");  // read only when the stations are
    std::vector<std::string> l;
    if (r.cartelli != 0) l.push_back("cartello_indicatore, 100, B");
    risultato_compilazione x = compila_testi(linea(33000, l), servizio(s));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const std::vector<voce_sim> v = voci_sim(x.sim);
    for (int k = 1; k <= 80 - r.cartelli; ++k) {
      EXPECT_EQ(v.at(static_cast<std::size_t>(k)).tipo, k <= r.stazioni ? 30 : 0) << k;
      EXPECT_EQ(v.at(static_cast<std::size_t>(k)).posizione, k <= r.stazioni ? 400 * (k - 1) : 0);
    }
    EXPECT_EQ(v.at(80).nome, r.cartelli != 0 ? "B" : "");
    EXPECT_EQ(celle_dat(x.celle_dat).at(700).tipo, r.codice == 0 ? 12 : 0);
  }
}

TEST(ConfiniLettoreServizio, StazioneSuMultipliDi50ELunghezzaDi100) {
  // Axis off the 50 m grid: code 8; length off the 100 m grid: code 9;
  // both at the station's axis, the reading stopped.
  struct riga {
    std::int64_t p, ls;
    std::int32_t codice;
  };
  for (const riga& r : std::vector<riga>{{449, 400, 8},
                                         {450, 400, 0},
                                         {451, 400, 8},
                                         {-1, 400, 8},
                                         {450, 399, 9},
                                         {450, 401, 9},
                                         {450, 0, 0},
                                         {450, -1, 9},
                                         {450, 100, 0},
                                         {450, 350, 9},
                                         {450, 50, 9}}) {
    SCOPED_TRACE(to_string(r.p) + " " + to_string(r.ls));
    risultato_compilazione x = compila_testi(
        linea(1000, {}), servizio({stazione(r.p, 30, r.ls), "abbattimento, 5000, 1"}));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    EXPECT_EQ(x.modello.posizione_errore, r.codice == 0 ? 0 : r.p);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    EXPECT_EQ(celle_dat(x.celle_dat).at(100).tipo, r.codice == 0 ? 12 : 0);
    EXPECT_EQ(voci_sim(x.sim).at(1).posizione, r.p);
  }
}

TEST(ConfiniLettoreServizio, OrarioEAreaNeiLong) {
  // The time is built as Longs, (hours x 60 + minutes) x 60 + seconds, each
  // product checked; a station's start, and its start - 350 beside the
  // station before it, are Longs too. An overflow is code 25.
  struct riga {
    std::vector<std::string> stazioni;
    std::int32_t codice;
    std::int32_t orario;
  };
  for (const riga& r : std::vector<riga>{
           {{stazione(0, 30, 0, 0, 0, "596523, 14, 7")}, 0, 2147483647},
           {{stazione(0, 30, 0, 0, 0, "596523, 14, 8")}, 25, 0},
           {{stazione(0, 30, 0, 0, 0, "-596523, -14, -8")}, 0, -2147483647 - 1},
           {{stazione(0, 30, 0, 0, 0, "-596523, -14, -9")}, 25, 0},
           {{stazione(0, 30, 0, 0, 0, "35791394, -2147483640, 5")}, 0, 5},
           {{stazione(0, 30, 0, 0, 0, "35791395, -2147483647, 5")}, 25, 0},
           {{stazione(0, 30, 0, 0, 0, "596523, 14, -53")}, 0, 2147483587},
           {{stazione(0, 30, 0, 0, 0, "596523, 15, -60")}, 25, 0},
           {{stazione(-2147483600, 30, 0)}, 0, 0},
           {{stazione(-2147483600, 30, 100)}, 25, 0},
           {{stazione(-2147483600, 30, 0), stazione(-2147483250, 30, 0)}, 0, 0},
           {{stazione(-2147483600, 30, 0), stazione(-2147483300, 30, 0)}, 25, 0},
       }) {
    SCOPED_TRACE(r.stazioni.back());
    risultato_compilazione x = compila_testi(linea(1000, {}), servizio(r.stazioni));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    EXPECT_EQ(voci_sim(x.sim).at(1).orario, r.orario);
  }
}

TEST(ConfiniLettoreServizio, ProgressiveSuMultipliDi50) {
  // After the service file each series' start and origin (with its + 100
  // when in use) must be multiples of 50, else code 2 without a position.
  struct riga {
    std::int64_t inizio, origine, uso;
    std::int32_t codice;
  };
  for (const riga& r : std::vector<riga>{{50, 50, 0, 0},
                                         {49, 50, 0, 2},
                                         {51, 50, 0, 2},
                                         {50, 49, 0, 2},
                                         {50, 51, 0, 2},
                                         {50, -50, 1, 0},
                                         {50, -49, 1, 2},
                                         {50, -51, 1, 2}}) {
    const std::string rec = "progressiva chilometrica tre, " + to_string(r.inizio) + ", " +
                            to_string(r.origine) + ", " + to_string(r.uso);
    SCOPED_TRACE(rec);
    risultato_compilazione x = compila_testi(linea(1000, {}, {rec}), servizio({}));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    EXPECT_EQ(x.modello.posizione_errore, 0);
    const voce_sim e = voci_sim(x.sim).at(81);
    EXPECT_EQ(e.inizio, r.inizio);
    EXPECT_EQ(e.fine, r.origine + (r.uso == 1 ? 100 : 0));
  }
}

// ---------------------------------------------------- number fields ---

TEST(ConfiniCampi, NumeriNeiTipiDelleDestinazioni) {
  // Byte 0 .. 255 (a station's dato_b1), Integer -32768 .. 32767 (sabbia),
  // Long -2147483648 .. 2147483647 (braked mass), after rounding a
  // fraction to the nearest whole number, halves to even; outside: code 25
  // and the value not stored.
  struct riga {
    std::string campo;
    std::string testo;
    std::int32_t codice;
    std::int64_t valore;
  };
  for (const riga& r : std::vector<riga>{
           {"b1", "0", 0, 0},
           {"b1", "255", 0, 255},
           {"b1", "256", 25, 0},
           {"b1", "-1", 25, 0},
           {"b1", "255.4", 0, 255},
           {"b1", "255.5", 25, 0},
           {"b1", "254.5", 0, 254},
           {"b1", "-0.5", 0, 0},
           {"b1", "-0.6", 25, 0},
           {"b1", "0.5", 0, 0},
           {"b1", "1.5", 0, 2},
           {"sabbia", "32767", 0, 32767},
           {"sabbia", "32768", 25, 0},
           {"sabbia", "-32768", 0, -32768},
           {"sabbia", "-32769", 25, 0},
           {"sabbia", "32766.5", 0, 32766},
           {"sabbia", "32767.5", 25, 0},
           {"sabbia", "-32768.5", 0, -32768},
           {"sabbia", "-32767.5", 0, -32768},
           {"sabbia", "2.5", 0, 2},
           {"sabbia", "3.5", 0, 4},
           {"sabbia", "2.49", 0, 2},
           {"sabbia", "2.51", 0, 3},
           {"sabbia", "2.50", 0, 2},
           {"sabbia", "2.5001", 0, 3},
           {"sabbia", "2.6", 0, 3},
           {"sabbia", "-2.5", 0, -2},
           {"sabbia", "-3.5", 0, -4},
           {"sabbia", "-2.51", 0, -3},
           {"massa", "2147483647", 0, 2147483647},
           {"massa", "2147483648", 25, 0},
           {"massa", "-2147483648", 0, -2147483648LL},
           {"massa", "-2147483649", 25, 0},
           {"massa", "2147483646.5", 0, 2147483646},
           {"massa", "2147483647.5", 25, 0},
           {"massa", "-2147483648.5", 0, -2147483648LL},
           {"massa", "99999999999999999999", 25, 0},
       }) {
    SCOPED_TRACE(r.campo + " " + r.testo);
    std::string record;
    if (r.campo == "b1") {
      record = "stazione, 0, 30, 0, " + r.testo + ", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, S";
    } else if (r.campo == "sabbia") {
      record = "sabbia, " + r.testo;
    } else {
      record = "percentuale massa frenata, " + r.testo;
    }
    risultato_compilazione x = compila_testi(linea(1000, {}), servizio({record}));
    EXPECT_EQ(x.modello.codice_errore, r.codice);
    ASSERT_EQ(x.esito, esito_compilazione::completato);
    const std::vector<voce_sim> v = voci_sim(x.sim);
    const std::int64_t letto = r.campo == "b1"       ? v.at(1).dato_b1
                               : r.campo == "sabbia" ? v.at(86).dato_i1
                                                     : v.at(84).inizio;
    EXPECT_EQ(letto, r.valore);
  }
}

}  // namespace
}  // namespace scenario::confini
