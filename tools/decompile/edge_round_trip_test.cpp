// Texts whose files only an unusual text gives back: each round-trips byte
// for byte, and the decompiled text holds the record that makes it so.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tools/decompile/round_trip.h"
#include "tools/decompile/signals.h"

namespace scenario::decompile {
namespace {

std::string crlf(const std::string& lines) {
  std::string out;
  for (const char c : lines) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

const std::string line_head = crlf(
    "[generale]\n"
    "lunghezza percorso, 20000\n"
    "progressiva chilometrica uno, 0, 20000, 1\n"
    "[curve]\n");

const std::string service_head = crlf(
    "[generale]\n"
    "numero vetture, 4\n"
    "aderenza, 0, 100\n"
    "velocita, 0, 80\n");

bool has_line(const std::string& text, const std::string& line) {
  return text.find(line + "\r\n") != std::string::npos;
}

testing::round_trip expect_round_trip(const std::string& line, const std::string& service) {
  testing::round_trip r = testing::run_round_trip(line, service);
  EXPECT_EQ(r.first.esito, esito_compilazione::completato);
  EXPECT_TRUE(r.same_bytes());
  if (r.decompiled) {
    EXPECT_TRUE(r.decompiled->check.exact);
  }
  return r;
}

// A span recorded after one that starts right after it keeps its own
// type; a span recorded right after another becomes type 3, and a span
// over no cell between them resets that.
TEST(DecompileEdges, SpansInAnOrderTheCellsShow) {
  const testing::round_trip r = expect_round_trip(line_head + crlf("montagna, 5000, 6000, 2\n"
                                                                   "montagna, 4000, 5000, 14\n"
                                                                   "[fine]\n"),
                                                  service_head + crlf("[fine]\n"));
  EXPECT_TRUE(has_line(r.decompiled->line_text, "montagna,   4000,  5000,  13"))
      << r.decompiled->line_text;
  EXPECT_TRUE(has_line(r.decompiled->line_text, "montagna,   0,  -1000000,  0"));
  EXPECT_TRUE(has_line(r.decompiled->line_text, "montagna,   5000,  6000,  2"));
}

std::size_t count_lines_starting(const std::string& text, const std::string& start) {
  std::size_t n = 0;
  for (std::size_t at = text.find("\r\n" + start); at != std::string::npos;
       at = text.find("\r\n" + start, at + 1)) {
    ++n;
  }
  return n;
}

// A span with markers (2000 to 2400 m) whose every other cell later spans
// of type 3 cover: its markers come back from a span of its own recorded
// before those cells' spans again, and nothing else covers its cells, also
// where a station's end lies on its first marker. With
// 79 such later spans, 80 records in all, the span with markers goes first
// (a span over no cell before it would be the 81st, which the reader
// never reads).
TEST(DecompileEdges, SpansUnderASpanWithMarkers) {
  const std::string head = crlf("montagna, 2000, 2400, 12\n");
  std::string later;
  for (int m = 2000; m < 2400; m += 100) {
    later += "montagna, " + std::to_string(m) + ", " + std::to_string(m + 50) + ", 3\n";
  }
  const testing::round_trip few = expect_round_trip(line_head + head + crlf(later + "[fine]\n"),
                                                    service_head + crlf("[fine]\n"));
  EXPECT_EQ(count_lines_starting(few.decompiled->line_text, "montagna,"), 5u)
      << few.decompiled->line_text;

  // A station's end (2150 m) over the first marker: the span still starts
  // at 2000 m, not four cells before the second marker.
  const testing::round_trip station = expect_round_trip(
      line_head + head + crlf(later + "[fine]\n"),
      service_head + crlf("stazione, 2000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S2\n"
                          "[fine]\n"));
  EXPECT_EQ(count_lines_starting(station.decompiled->line_text, "montagna,"), 5u)
      << station.decompiled->line_text;
  EXPECT_TRUE(has_line(station.decompiled->line_text, "montagna,   2000,  2400,  12"));

  later.clear();
  for (int m = 1000; m < 8900; m += 100) {
    later += "montagna, " + std::to_string(m) + ", " + std::to_string(m + 50) + ", 2\n";
  }
  const testing::round_trip many = expect_round_trip(line_head + head + crlf(later + "[fine]\n"),
                                                     service_head + crlf("[fine]\n"));
  const std::string& t = many.decompiled->line_text;
  EXPECT_EQ(count_lines_starting(t, "montagna,"), 80u) << t;
  EXPECT_TRUE(has_line(t, "[montagne]\r\nmontagna,   2000,  2400,  12")) << t;
}

// A station the reader stopped at halfway: its time overflowed after its
// name was read. It comes back last, with an hour that overflows again.
TEST(DecompileEdges, StationReadHalfwayComesLast) {
  const testing::round_trip r = expect_round_trip(
      line_head + crlf("[fine]\n"),
      service_head + crlf("stazione, 2000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 8,10, 0, A\n"
                          "segnale, 5000, 2, 4, 1, 0, 0, 0, 0,0,0, 0\n"
                          "stazione, 8000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 99999999,0, 0, B\n"
                          "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_TRUE(has_line(t, "- the compile step stopped reading this file here")) << t;
  EXPECT_TRUE(
      has_line(t, "stazione,    8000,  4,    0,  0, 0, 0,  1,1,0,  2,1,1,    0, 99999999,0,0, B"))
      << t;
  EXPECT_LT(t.find("segnale,"), t.find("99999999"));
}

// A station whose area starts exactly 350 m after the previous one's end
// (2200 m and 2550 m) is read; only a closer one stops the reader.
TEST(DecompileEdges, StationsExactly350MetresApart) {
  const testing::round_trip r = expect_round_trip(
      line_head + crlf("[fine]\n"),
      service_head + crlf("stazione, 2000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 8,10, 0, A\n"
                          "stazione, 2750, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 8,20, 0, B\n"
                          "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_FALSE(has_line(t, "- the compile step stopped reading this file here")) << t;
  EXPECT_NE(t.find(", B\r\n"), std::string::npos) << t;
}

// A station off the 50 m grid stops the reader after its position (code
// 8): it comes back as a whole record of zeros, its time 0:00:00.
TEST(DecompileEdges, StationOffTheGridIsReadNoFurther) {
  const testing::round_trip r = expect_round_trip(
      line_head + crlf("[fine]\n"),
      service_head + crlf("stazione, 5025, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 8,10, 0, A\n"
                          "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_TRUE(
      has_line(t, "stazione,    5025,  0,    0,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, "))
      << t;
}

// Station 79 takes the last slot below the boards' (none here): the reader
// stops after it (code 10), and the 80th and later are never read. It
// comes back last, after the note of the stop.
TEST(DecompileEdges, StationInTheLastSlotStopsTheReader) {
  std::string stazioni;
  for (int k = 1; k <= 85; ++k) {
    stazioni += "stazione, " + std::to_string(600 + 400 * k) +
                ", 7, 0, 0, 0, 0, 1,1,0, 2,1,1, 0, 8,10, 0, S" + std::to_string(k) + "\n";
  }
  const testing::round_trip r =
      expect_round_trip(crlf("[generale]\nlunghezza percorso, 40000\n[fine]\n"),
                        service_head + crlf(stazioni + "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_TRUE(
      has_line(t,
               "- the compile step stopped reading this file here\r\n"
               "stazione,   32200,  7,    0,  0, 0, 0,  1,1,0,  2,1,1,    0,   8,10, 0, S79"))
      << t;
  EXPECT_EQ(t.find(", S80"), std::string::npos) << t;
}

// Signals written against the running order: their approach marks
// overwrite each other the other way round, and the order comes back.
TEST(DecompileEdges, SignalsOutOfRunningOrder) {
  const testing::round_trip r =
      expect_round_trip(line_head + crlf("[fine]\n"),
                        service_head + crlf("segnale, 5200, 1, 4, 1, 0, 0, 2, 0,0,0, 0\n"
                                            "segnale, 5000, 2, 4, 1, 0, 0, 0, 0,0,0, 0\n"
                                            "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_LT(t.find("segnale,    5200"), t.find("segnale,    5000")) << t;
}

// Eighty span records of 50 m, one of 400 m with markers that five later
// ones cut into pieces, in an order where two lone spans keep type 2 among
// spans of type 3 with no span over no cell before them: in the cells'
// order the spans take 82 records; moved between the others, 80 or fewer.
TEST(DecompileEdges, EightySpansThatFitOnlyWhenMoved) {
  std::vector<int> inizi = {0, 7000};
  auto da_a = [&](int da, int a) {
    for (int m = da; m <= a; m += 100) inizi.push_back(m);
  };
  da_a(100, 900);
  inizi.insert(inizi.end(), {3900, -1});  // -1: the span of 400 m
  da_a(1000, 1800);
  inizi.insert(inizi.end(), {2200, 2000, 2100, 1900, 2300, 2400});
  da_a(2500, 3800);
  inizi.insert(inizi.end(), {4000, 4900});
  da_a(4200, 4800);
  inizi.push_back(4100);
  da_a(5000, 6900);
  da_a(7100, 7800);
  ASSERT_EQ(inizi.size(), 80u);
  std::string montagne = "[montagne]\n";
  for (const int m : inizi) {
    montagne += m < 0 ? std::string("montagna, 2000, 2400, 12\n")
                      : "montagna, " + std::to_string(m) + ", " + std::to_string(m + 50) + ", 2\n";
  }
  const testing::round_trip r =
      expect_round_trip(line_head + crlf(montagne + "[fine]\n"), service_head + crlf("[fine]\n"));
  EXPECT_LE(r.decompiled->linea.montagne.size(), 80u);
}

// A signal recorded before a station whose approach marks meet its own:
// the station's marks lie over the signal's, and the signals come back
// before the stations. Recorded after them, they lie the other way round
// and the signals stay in their usual place.
TEST(DecompileEdges, SignalRecordedBeforeAStationItsMarksMeet) {
  const std::string segnale = "segnale, 3450, 2, 4, 1, 0, 0, 0, 0,0,0, 0\n";
  const std::string stazione = "stazione, 3000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S3\n";
  for (const bool prima : {true, false}) {
    SCOPED_TRACE(prima);
    const testing::round_trip r = expect_round_trip(
        line_head + crlf("[fine]\n"),
        service_head + crlf((prima ? segnale + stazione : stazione + segnale) + "[fine]\n"));
    const std::string& t = r.decompiled->service_text;
    EXPECT_EQ(t.find("segnale,") < t.find("stazione,"), prima) << t;
  }
}

// A signal whose cell the end of a station recorded after it took: the
// station keeps the signal's last codes and delay and its farther marks,
// or all four under a station of type 5, which puts none (8 x 3 + 2 = 26
// makes them wrap in 8 bits: 5 to 8). The signal comes back before the
// stations, its first codes (which the station's number replaced) as 0.
TEST(DecompileEdges, SignalUnderAStationsEnd) {
  const std::vector<std::pair<std::string, std::string>> casi = {
      {"segnale, 5100, 2, 5, 1, 0, 0, 0, 0,0,0, 0\n",
       "stazione, 5000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S5\n"},
      {"segnale, 5100, 8, 5, 1, 0, 0, 2, 0,0,0, 0\n",
       "stazione, 5050, 5, 300, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S5\n"},
      {"segnale, 5100, 2, 5, 1, 3, 1, 1, 2,1,0, 130\n",
       "stazione, 5000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S5\n"},
      // and a signal recorded before it whose marks it covered
      {"segnale, 5200, 1, 5, 1, 0, 0, 0, 0,0,0, 0\nsegnale, 5100, 2, 5, 1, 0, 0, 0, 0,0,0, 0\n",
       "stazione, 5000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S5\n"},
  };
  // The station's number took each signal's first codes (dato1): both come
  // back as 0.
  const std::string testo[] = {
      "segnale,    5100,   2, 0, 1,  0, 0,    0,  0,0,0, 0",
      "segnale,    5100,   8, 0, 1,  0, 0,    2,  0,0,0, 0",
      "segnale,    5100,   2, 0, 1,  3, 1,    1,  0,1,0, 130",
      "segnale,    5100,   2, 0, 1,  0, 0,    0,  0,0,0, 0",
  };
  for (std::size_t k = 0; k < casi.size(); ++k) {
    const auto& [segnale, stazione] = casi[k];
    SCOPED_TRACE(segnale);
    const testing::round_trip r = expect_round_trip(
        line_head + crlf("[fine]\n"), service_head + crlf(segnale + stazione + "[fine]\n"));
    const std::string& t = r.decompiled->service_text;
    EXPECT_LT(t.find("segnale,    5100"), t.find("stazione,")) << t;
    EXPECT_TRUE(has_line(t, testo[k])) << t;
  }
}

// A signal under a station's end whose farthest mark lies over an earlier
// station's approach mark: it comes back between the two stations.
TEST(DecompileEdges, SignalUnderAStationsEndOverAnEarlierStationsMark) {
  const testing::round_trip r = expect_round_trip(
      line_head + crlf("[fine]\n"),
      service_head + crlf("stazione, 3000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, A\n"
                          "segnale, 3450, 2, 5, 1, 0, 0, 0, 0,0,0, 0\n"
                          "stazione, 3550, 7, 0, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, B\n"
                          "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_LT(t.find(", A\r\n"), t.find("segnale,    3450")) << t;
  EXPECT_LT(t.find("segnale,    3450"), t.find(", B\r\n")) << t;
}

// A station's approach marks over the end cell of a station of type 6
// (which puts none) and the cells before it are that station's, not a
// signal's under the later end: no signal is made of them.
TEST(DecompileEdges, StationMarksOverALaterStationsEndAreNoSignal) {
  const testing::round_trip r = expect_round_trip(
      line_head + crlf("[fine]\n"),
      service_head + crlf("stazione, 4000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S4\n"
                          "stazione, 4000, 6, 300, 0, 0, 0, 0,0,0, 4,1,1, 30, 14, 0, 0, B\n"
                          "[fine]\n"));
  EXPECT_EQ(r.decompiled->service_text.find("segnale,"), std::string::npos)
      << r.decompiled->service_text;
  const compiled_route files = decode_compiled_texts(r.first, "Viterbo_Attigliano_Orte", "7547");
  ASSERT_EQ(files.celle[82].tipo, tipo_cella::fine_stazione);
  ASSERT_EQ(files.celle[80].segno, 83);  // S4's third mark, as a signal's first would be
  EXPECT_FALSE(segnale_sotto_stazione(files.celle, 82));
}

// Two signals whose approach marks meet two stations' marks, one recorded
// before its station and one after: the first comes back before the
// stations, the second after them.
TEST(DecompileEdges, SignalsBeforeOneStationAndAfterAnother) {
  const testing::round_trip r = expect_round_trip(
      line_head + crlf("[fine]\n"),
      service_head + crlf("segnale, 3450, 2, 4, 1, 0, 0, 0, 0,0,0, 0\n"
                          "stazione, 3000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S3\n"
                          "stazione, 5000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 0, 14,38, 0, S5\n"
                          "segnale, 5450, 2, 4, 1, 0, 0, 0, 0,0,0, 0\n"
                          "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_LT(t.find("segnale,    3450"), t.find("stazione,")) << t;
  EXPECT_GT(t.find("segnale,    5450"), t.find("stazione,")) << t;
}

// The line reader stopped in its body: the geometry was never laid to the
// end. A number no field accepts stops it again.
TEST(DecompileEdges, LineReaderStoppedInItsBody) {
  const testing::round_trip r = expect_round_trip(line_head + crlf("curvad2, 1000, 200\n"
                                                                   "pendenza, 0, 5\n"
                                                                   "pendenza, 3000, 99999999999\n"
                                                                   "[fine]\n"),
                                                  service_head + crlf("[fine]\n"));
  const std::string& t = r.decompiled->line_text;
  EXPECT_TRUE(has_line(t, "curvad2,  1000,  200")) << t;
  EXPECT_TRUE(has_line(t, "pendenza,  0,   99999999999")) << t;
}

// A last curve that ends on the last point (27000 m of geometry) and one
// that runs past it lay the same points; the second stops the reader
// (code 25), so the grades are not filled to the end and the service file
// is not read. Each comes back as written, the second after the records
// read before it. Both follow a curve within 100 m of the end, so their
// records start at 26900 m, the last position that passes the room test.
// The first is told by its grades alone: its service file is empty.
TEST(DecompileEdges, LastCurveEndsOnOrRunsPastTheLastPoint) {
  const std::string curve = crlf("curvas6, 26900, 50\n");
  const testing::round_trip on =
      expect_round_trip(line_head + curve + crlf("curvad6, 26900, 100\npendenza, 0, 5\n[fine]\n"),
                        crlf("[generale]\n[fine]\n"));
  EXPECT_EQ(on.first.model.codice_errore, 0);
  const std::string& t = on.decompiled->line_text;
  EXPECT_TRUE(has_line(t, "curvad6,  26900,  100")) << t;
  EXPECT_TRUE(has_line(t, "pendenza,   0,    5")) << t;
  EXPECT_FALSE(has_line(t, "- the compile step stopped reading this file here")) << t;

  const testing::round_trip past =
      expect_round_trip(line_head + curve +
                            crlf("pendenza, 0, 5\npendenza, 3000, 8\ncurvad6, -50, 99999999\n"
                                 "pendenza, 4000, 9\n[fine]\n"),
                        service_head + crlf("[fine]\n"));
  EXPECT_EQ(past.first.model.codice_errore, 25);
  EXPECT_EQ(past.second.model.codice_errore, 25);
  const std::string& u = past.decompiled->line_text;
  EXPECT_TRUE(has_line(u, "pendenza,  3000,   0")) << u;
  EXPECT_TRUE(
      has_line(u,
               "- the compile step stopped reading this file here\r\ncurvad6,  26900,  101\r\n"
               "[fine]"))
      << u;
}

// "abbattimento" points among the placement pass's markers, with and
// without a value, one of them where the pass would put its own marker.
TEST(DecompileEdges, AbbattimentoAmongMarkers) {
  const testing::round_trip r =
      expect_round_trip(line_head + crlf("[fine]\n"),
                        service_head + crlf("rallentamento, 6000, 30, 600, 1, 1, 0\n"
                                            "segnale, 4400, 2, 4, 1, 0, 0, 0, 0,0,0, 0\n"
                                            "abbattimento, 5750, 180\n"
                                            "abbattimento, 4350, 250\n"
                                            "abbattimento, 9000, 0\n"
                                            "[fine]\n"));
  const std::string& t = r.decompiled->service_text;
  EXPECT_TRUE(has_line(t, "[abbattimenti]")) << t;
  EXPECT_TRUE(has_line(t, "abbattimento,    9000,     0")) << t;
}

}  // namespace
}  // namespace scenario::decompile
