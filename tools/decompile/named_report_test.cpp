// Compiled files edited by hand: where a text still gives them back, the
// decompiler writes it; where none can, the differing place is named with
// its reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "compiler/format/codifica_celle.h"
#include "tools/decompile/compile_in_memory.h"
#include "tools/decompile/decompile.h"

namespace scenario::decompile {
namespace {

constexpr const char* linea_fissa = "Viterbo_Attigliano_Orte";
constexpr const char* treno_fisso = "7547";

// A 10 km line with a coded zone.
const std::string linea_10_km =
    "[generale]\r\n"
    "lunghezza percorso, 10000\r\n"
    "progressiva chilometrica uno, 0, 10000, 1\r\n"
    "ripetizione segnali 4 codici, 4000, 6000\r\n"
    "[fine]\r\n";

// The line compiled, edited by `ritocco` and decompiled.
decompiled_route decompile_edited(const std::function<void(compiled_route&)>& ritocco,
                                  const std::string& line_text = linea_10_km,
                                  const std::string& service_body = "") {
  const compiled_texts t = compile_texts(
      line_text,
      "[generale]\r\naderenza, 0, 100\r\nvelocita, 0, 80\r\n" + service_body + "[fine]\r\n",
      linea_fissa, treno_fisso);
  EXPECT_EQ(t.esito, esito_compilazione::completato);
  compiled_route r = decode_compiled_texts(t, linea_fissa, treno_fisso);
  ritocco(r);
  return decompile_route(r, linea_fissa, treno_fisso);
}

// The reason given for the place, or "(not named)" when it does not differ.
std::string reason(const verification& v, location at) {
  const auto d = std::find_if(v.differences.begin(), v.differences.end(),
                              [&](const difference& x) { return x.at == at; });
  return d == v.differences.end() ? "(not named)" : d->why;
}

// A span puts its markers on its fourth, eighth, ... cell, so no marker
// lies in the first three cells.
TEST(DecompileNamedReport, TunnelMarkerInTheFirstThreeCells) {
  const decompiled_route d =
      decompile_edited([](compiled_route& r) { r.celle[2].tipo = tipo_cella::marcatore_montagna; });
  EXPECT_FALSE(d.check.exact);
  EXPECT_EQ(d.check.cells, 1u);
  EXPECT_EQ(reason(d.check, {place::cell, 2}),
            "a tunnel marker (code 11) in one of the first three cells, where no span has its "
            "fourth cell");
}

// A marker from cell 3 on is a span with markers that spans recorded after
// it cover again with the cells' own type (here none).
TEST(DecompileNamedReport, TunnelMarkerOutsideEverySpanComesBack) {
  for (const std::size_t c : {std::size_t{3}, std::size_t{57}}) {
    SCOPED_TRACE(c);
    const decompiled_route d = decompile_edited(
        [&](compiled_route& r) { r.celle[c].tipo = tipo_cella::marcatore_montagna; });
    EXPECT_TRUE(d.check.exact) << reason(d.check, {place::cell, static_cast<std::int64_t>(c)});
  }
}

// A zone record with neither 4 nor 9 keeps the number of codes it found,
// none or an earlier zone's, but it stops the reader in the general
// section, before any geometry is laid.
TEST(DecompileNamedReport, CodedZoneCountAndEndDisagreeUnderLaidGeometry) {
  struct caso {
    std::int32_t elemento::*azzerato;
    std::string why;
  };
  const caso casi[] = {
      {&elemento::posizione,
       "the coded zone ends at 6000 m but has no number of codes, which only a zone ending at 0 "
       "has, or a zone whose keyword stops the reader before the geometry it laid"},
      {&elemento::fine,
       "the coded zone ends at 0 m but has 4 codes, which a zone ending at 0 has only when its "
       "keyword stops the reader, before the geometry it laid"},
  };
  for (const caso& c : casi) {
    const decompiled_route d = decompile_edited(
        [&](compiled_route& r) { r.elementi[voce::testata_corsa].*c.azzerato = 0; });
    EXPECT_EQ(d.check.entries, 1u);
    EXPECT_EQ(reason(d.check, {place::entry, voce::testata_corsa}), c.why);
  }
}

// The names stamped in the simulation file are not the ones the files
// were found by: each is named at its entry, with the option that gives it.
TEST(DecompileNamedReport, RouteNameAndTrainNumberOtherThanTheFiles) {
  const decompiled_route d = decompile_edited([](compiled_route& r) {
    r.elementi[voce::testata_linea].nome = "Orte";
    r.elementi[voce::testata_corsa].nome = "7548";
  });
  EXPECT_EQ(reason(d.check, {place::entry, voce::testata_linea}),
            "the route name in the simulation file is not 'Viterbo_Attigliano_Orte', the name "
            "the files are found by (give it with --route)");
  EXPECT_EQ(reason(d.check, {place::entry, voce::testata_corsa}),
            "the train number in the simulation file is not '7547', the number the files are "
            "found by (give it with --train)");
}

// Points 0 and 1 are the Integer seeds; an Integer from point 2 on is
// named as such, not as a wrong seed.
TEST(DecompileNamedReport, AnIntegerPointFromPoint2On) {
  for (const int k : {2, 3}) {
    const decompiled_route d = decompile_edited(
        [&](compiled_route& r) { r.tracciato.x[static_cast<std::size_t>(k)] = std::int16_t{7}; });
    EXPECT_EQ(d.check.points, 1u);
    EXPECT_EQ(reason(d.check, {place::point, k}),
              "the point is an Integer; the compile step lays Doubles from point 2 on");
  }
}

// The last cell made a station's end, and two cells before it a mark 83,
// which would be a station's mark 3 cells before its end: past the last
// cell, so no station's, and it is named as a signal's mark.
TEST(DecompileNamedReport, AStationMarkWhoseEndIsPastTheLastCell) {
  std::int64_t c = 0;
  const decompiled_route d = decompile_edited([&](compiled_route& r) {
    c = static_cast<std::int64_t>(r.celle.size()) - 1;
    impacca_fine_stazione(r.celle.back(), 1);
    r.celle[r.celle.size() - 3].segno = 83;
  });
  EXPECT_EQ(c, 340);
  EXPECT_EQ(reason(d.check, {place::cell, c - 2}),
            "an approach mark of a signal: the end of a station recorded after it was written "
            "over the signal in cell 340, and no signal recorded before that station gives it "
            "back");
}

// A slowdown from cell 30 has its first rule-B marker in cell 25. An
// object no record writes (code 7) put in 25 and the marker moved to 24,
// as the pass would have put it: without the object the text's pass puts
// it back in 25, so 24's marker is named as the one it no longer puts.
TEST(DecompileNamedReport, AMarkerMovedByAnObjectNoRecordWrites) {
  const decompiled_route d = decompile_edited(
      [](compiled_route& r) {
        ASSERT_EQ(r.celle[25].tipo, tipo_cella::marcatore_valore);
        r.celle[24] = r.celle[25];
        r.celle[25] = cella{};
        r.celle[25].tipo = 7;
      },
      linea_10_km, "rallentamento, 1450, 120, 100, 0, 0, 0\r\n");
  EXPECT_EQ(reason(d.check, {place::cell, 25}), "code 7 is written by no record");
  EXPECT_EQ(reason(d.check, {place::cell, 24}),
            "the cell holds a marker that the placement pass no longer puts here once the cells "
            "that no record gives back are gone");
}

// A line of -6900 m, which the reader accepts (100 m of geometry, three
// cells): the reason given for its last cell is that cell's own, not a
// wrong cell count.
TEST(DecompileNamedReport, LastCellOfANegativeLength) {
  const decompiled_route d =
      decompile_edited([](compiled_route& r) { r.celle.back().tipo = 7; },
                       "[generale]\r\nlunghezza percorso, -6900\r\n[fine]\r\n");
  EXPECT_EQ(d.check.cells, 1u);
  EXPECT_EQ(reason(d.check, {place::cell, 2}), "code 7 is written by no record");
}

// The last 50 points of a 10 km line laid as a curve after a straight
// step: no curve record starts within 100 m of the geometry's end. The
// closest text starts the curve at the last position that passes the room
// test, and every point from there on is named.
TEST(DecompileNamedReport, CurveAfterAStraightStepNearTheEnd) {
  const decompiled_route d = decompile_edited([](compiled_route& r) {
    geometria& g = r.tracciato;
    auto punto = [&](std::size_t k) {
      return punto_piano{std::get<double>(g.x[k]), std::get<double>(g.y[k])};
    };
    for (std::size_t k = 16951; k < g.x.size(); ++k) {
      const punto_piano p = passo_piano(punto(k - 2), punto(k - 1), curvatura_classe[5], true);
      g.x[k] = p.x;
      g.y[k] = p.y;
    }
  });
  EXPECT_FALSE(d.check.exact);
  EXPECT_EQ(d.check.points, 100u);
  EXPECT_EQ(reason(d.check, {place::point, 16901}),
            "a curve starts at point 16950 after a straight step, past 16900 m, the last position "
            "where a record passes the room test");
  EXPECT_EQ(reason(d.check, {place::point, 17000}), reason(d.check, {place::point, 16901}));
}

const std::string linea_30_km =
    "[generale]\r\nlunghezza percorso, 30000\r\n"
    "progressiva chilometrica uno, 0, 30000, 1\r\n";

// Cell 2 + 5k for the k-th span of 50 m: 200 m apart, so that each keeps
// type 2 after the one before it.
std::int64_t cella_montagna(int k) {
  return 2 + 5 * k;
}

// A file edited to show 81 spans of one cell: the reader would stop at the
// 81st record and read nothing after it, so that record is left out: only
// its cell is named, and every section after the spans is read.
TEST(DecompileNamedReport, SpansThatTakeMoreThan80RecordsLeaveTheLastOut) {
  const decompiled_route d = decompile_edited(
      [](compiled_route& r) {
        for (int k = 0; k <= 80; ++k)
          r.celle[static_cast<std::size_t>(cella_montagna(k))].montagna = 2;
      },
      linea_30_km + "[fine]\r\n");
  EXPECT_EQ(d.linea.montagne.size(), 80u);
  EXPECT_EQ(d.check.entries, 0u);
  EXPECT_EQ(d.check.points, 0u);
  EXPECT_EQ(d.check.cells, 1u);
  EXPECT_EQ(reason(d.check, {place::cell, cella_montagna(80)}),
            "the spans take more than 80 records: this cell's span is left out, so that the "
            "reader does not stop at the 81st");
}

// A speed board, 80 spans and an 81st span record that stops the reader;
// the file edited to show one span more. The text stops the reader at its
// 81st span record too, after the board, which comes back; only the cell
// of that record is named.
TEST(DecompileNamedReport, SpansThatStopTheReaderComeAfterTheBoards) {
  std::string testo =
      linea_30_km + "[cartelli]\r\nindicatori_vmax, 3000, 65, 70, 80, 0, , , , 0\r\n[montagne]\r\n";
  for (int k = 0; k < 80; ++k) {
    const std::int64_t m = cella_montagna(k) * 50;
    testo += "montagna, " + std::to_string(m) + ", " + std::to_string(m + 50) + ", 2\r\n";
  }
  testo += "montagna, 29000, 29050, 2\r\n[fine]\r\n";
  const decompiled_route d = decompile_edited(
      [](compiled_route& r) { r.celle[static_cast<std::size_t>(cella_montagna(80))].montagna = 2; },
      testo);
  EXPECT_EQ(d.linea.montagne.size(), 81u);
  EXPECT_EQ(d.linea.indicatori.size(), 1u);
  EXPECT_LT(d.line_text.find("indicatori_vmax"), d.line_text.find("montagna")) << d.line_text;
  EXPECT_EQ(d.check.entries, 0u);
  EXPECT_EQ(d.check.points, 0u);
  EXPECT_EQ(d.check.cells, 1u);
  EXPECT_EQ(reason(d.check, {place::cell, cella_montagna(80)}),
            "the spans take more than 80 records: the reader stops at the 81st");
}

// A signal recorded before a station whose end lies on the signal's cell:
// the station's marks cover the signal's first two, and its last two are
// all that is left of it. They are named; the rest comes back.
// A station's end with a lone mark 6 cells before it, as a signal under it
// would have left: the only signal its values give (a sum of kinds of 390,
// from the mark and a dato4 of 0) puts a fourth mark where the file has
// none, so it is not kept and the mark is named.
TEST(DecompileNamedReport, MarkOfASignalNoSignalUnderTheStationGivesBack) {
  const compiled_texts t =
      compile_texts(linea_10_km,
                    "[generale]\r\naderenza, 0, 100\r\nvelocita, 0, 80\r\n"
                    "stazione, 5000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S5\r\n[fine]\r\n",
                    linea_fissa, treno_fisso);
  ASSERT_EQ(t.esito, esito_compilazione::completato);
  compiled_route r = decode_compiled_texts(t, linea_fissa, treno_fisso);
  ASSERT_EQ(r.celle[103].tipo, tipo_cella::fine_stazione);
  r.celle[97].segno = 63;
  const decompiled_route d = decompile_route(r, linea_fissa, treno_fisso);
  EXPECT_EQ(d.check.cells, 1u);
  EXPECT_EQ(d.check.entries, 0u);
  EXPECT_EQ(reason(d.check, {place::cell, 97}),
            "an approach mark of a signal: the end of a station recorded after it was written over "
            "the signal in cell 103, and no signal recorded before that station gives it back");
}

}  // namespace
}  // namespace scenario::decompile
