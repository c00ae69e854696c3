// The drawing model of the fixed scenario, without a browser: what is drawn
// where, the records behind it, the kilometric series, the thinned plan,
// the page's escaping and the km figures of --from and --to.
#include "tools/route_view/drawing_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "compiler/documenti/dati_documenti.h"
#include "sources/testi_fissi.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/km_range.h"
#include "tools/route_view/drawing_json.h"
#include "tools/route_view/plot_layout.h"
#include "tools/route_view/route_plot.h"
#include "tools/route_view/view_page.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/text_search.h"

namespace scenario {
namespace {

using testing::route;
using testing::train;

using texts = fixed_scenario_texts;

ingresso_controllo input_of(const texts& t);

route_drawing drawing_of_texts(const texts& t) {
  const ingresso_controllo in = input_of(t);
  return drawing_of(controlla(in), in);
}

ingresso_controllo input_of(const texts& t) {
  ingresso_controllo in;
  in.linea = t.line;
  in.servizio = t.service;
  in.nome_file_linea = "line.txt";
  in.nome_file_servizio = "service.txt";
  in.nome_linea = route;
  in.numero_treno = train;
  in.posa_geometria = true;
  return in;
}

// The compile step's model of the fixed scenario, geometry laid.
const modello_percorso& fixed_model() {
  static const texts t = fixed_texts();
  static const modello_percorso m = controlla(input_of(t)).compilazione.modello;
  return m;
}

const route_drawing& fixed() {
  static const route_drawing d = drawing_of_texts(fixed_texts());
  return d;
}

using testing::count;

const drawn_record& record_of(const route_drawing& d, std::int32_t i) {
  EXPECT_GE(i, 0);
  return d.records.at(static_cast<std::size_t>(i));
}

TEST(DrawingModel, ObjectsStandAtTheirMetresAndCellsWithTheirRecords) {
  const route_drawing& d = fixed();
  EXPECT_EQ(d.line_length_m, 60000);
  EXPECT_EQ(d.cells, 1341u);
  EXPECT_EQ(d.files, (std::vector<std::string>{"line.txt", "service.txt"}));
  EXPECT_EQ(d.errors, 0);
  EXPECT_EQ(d.warnings, 1);  // the S. Nicola time, not after Grotte S. Stefano's

  ASSERT_EQ(d.slowdowns.size(), 1u);
  const drawn_slowdown& s = d.slowdowns[0];
  EXPECT_EQ(s.start_m, 22700);
  EXPECT_EQ(s.end_m, 22900);
  EXPECT_EQ(s.start_cell, 455u);
  EXPECT_EQ(s.end_cell, 459u);
  EXPECT_EQ(s.speed, 30);
  const drawn_record& r = record_of(d, s.record);
  EXPECT_EQ(d.files[static_cast<std::size_t>(r.file)], "service.txt");
  EXPECT_EQ(r.line, 29);
  EXPECT_EQ(r.column, 1);
  EXPECT_EQ(r.text, "rallentamento,   22700,    30,  200, 1,  0,  0");
  EXPECT_EQ(r.at_m, 22700);

  ASSERT_EQ(d.signals.size(), 16u);
  EXPECT_EQ(d.signals[0].at_m, 10000);
  EXPECT_EQ(d.signals[0].cell, 201u);
  EXPECT_EQ(record_of(d, d.signals[0].record).line, 31);
  EXPECT_EQ(record_of(d, d.signals.back().record).line, 46);

  ASSERT_EQ(d.stations.size(), 9u);
  EXPECT_EQ(d.stations.back().name, "ORTE");
  EXPECT_EQ(d.stations.back().axis_m, 52600);
  EXPECT_EQ(d.stations.back().cell, 1052);
  EXPECT_EQ(record_of(d, d.stations.back().record).line, 26);
  EXPECT_EQ(d.stations[7].name, "2\u00b0 Bivio Orte Nord");  // read as Windows-1252

  ASSERT_EQ(d.speed_boards.size(), 14u);
  EXPECT_EQ(d.speed_boards[0].at_m, 500);
  EXPECT_EQ(d.speed_boards[0].label(), "65/70/80");
  EXPECT_EQ(d.speed_boards[2].left_stripes, 2);
  EXPECT_EQ(d.speed_boards[12].at_m, 39400);
  EXPECT_EQ(d.speed_boards[12].label(), "100/105/110 | 100/105/110");
  EXPECT_EQ(record_of(d, d.speed_boards[12].record).line, 121);

  ASSERT_EQ(d.indication_boards.size(), 39u);
  EXPECT_EQ(d.indication_boards[2].at_m, 3050);
  EXPECT_EQ(d.indication_boards[2].text, "(P.L.A.    )(km. 35+997)");
  EXPECT_EQ(record_of(d, d.indication_boards[2].record).line, 126);

  ASSERT_EQ(d.tunnels.size(), 5u);
  EXPECT_EQ(d.tunnels[0].from_m, 6950);
  EXPECT_EQ(d.tunnels[0].to_m, 7050);
  EXPECT_EQ(d.tunnels[0].value, 2);
  EXPECT_EQ(record_of(d, d.tunnels[0].record).line, 103);
  ASSERT_TRUE(d.coded_zone);
  EXPECT_EQ(d.coded_zone->from_m, 45000);
  EXPECT_EQ(d.coded_zone->to_m, 51300);
  EXPECT_EQ(d.coded_zone->value, 4);
}

TEST(DrawingModel, ProfileRunsCarryTheirValuesAndRecords) {
  const route_drawing& d = fixed();
  // "pendenza, 500, 3" holds cells 10 to 29; the run ends where 1500 m starts.
  const auto at = [](const std::vector<profile_run>& runs, std::size_t cell) {
    for (const profile_run& r : runs) {
      if (r.first <= cell && cell <= r.last) return r;
    }
    return profile_run{};
  };
  const profile_run g = at(d.gradient, 10);
  EXPECT_EQ(g.first, 10u);
  EXPECT_EQ(g.last, 29u);
  EXPECT_EQ(g.value, 3);
  EXPECT_EQ(record_of(d, g.record).line, 58);
  EXPECT_EQ(at(d.speed, 0).value, 70);
  EXPECT_EQ(at(d.speed, 40).value, 70);
  EXPECT_EQ(at(d.speed, 41).value, 100);
  EXPECT_EQ(record_of(d, at(d.speed, 41).record).line, 10);
  EXPECT_EQ(at(d.adhesion, 500).value, 100);
  EXPECT_EQ(at(d.tunnel_type, 225).value, 2);
  // Runs cover every cell once, in order.
  for (const auto* runs : {&d.speed, &d.gradient, &d.adhesion, &d.tunnel_type}) {
    ASSERT_FALSE(runs->empty());
    EXPECT_EQ(runs->front().first, 0u);
    EXPECT_EQ(runs->back().last, d.cells - 1);
    for (std::size_t i = 1; i < runs->size(); ++i) {
      EXPECT_EQ((*runs)[i].first, (*runs)[i - 1].last + 1);
    }
  }
}

TEST(DrawingModel, CellsAreDecodedWithTheRecordOrRuleThatFilledThem) {
  const route_drawing& d = fixed();
  const drawn_cell* start = nullptr;
  int markers = 0;
  for (const drawn_cell& c : d.occupied) {
    if (c.index == 455) start = &c;
    if (!c.placed_by.empty()) {
      ++markers;
      EXPECT_EQ(c.raw.tipo, 12);
      EXPECT_EQ(record_of(d, c.object_record).line, 29);  // the slowdown it serves
    }
  }
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->object, "slowdown start");
  EXPECT_NE(start->values.find("speed 30 km/h"), std::string::npos);
  EXPECT_EQ(record_of(d, start->object_record).line, 29);
  EXPECT_GT(markers, 0);
}

TEST(DrawingModel, CurvesComeFromTheGeometryWithTheirRadius) {
  const route_drawing& d = fixed();
  ASSERT_EQ(d.curves.size(), 45u);
  // "curvad4, 500, 300": class 4 turns 0.001 per metre, radius 1000 m, right.
  EXPECT_EQ(d.curves[0].from_m, 500);
  EXPECT_EQ(d.curves[0].to_m, 800);
  EXPECT_EQ(d.curves[0].radius_m, 1000);
  EXPECT_EQ(d.curves[0].side, 1);
  EXPECT_EQ(record_of(d, d.curves[0].record).line, 11);
  EXPECT_EQ(d.curves[1].side, -1);
  EXPECT_EQ(d.curves[6].radius_m, 2500);  // "curvas3"
}

TEST(DrawingModel, KilometricSeriesCountDownFromTheirOrigin) {
  const route_drawing& d = fixed();
  ASSERT_EQ(d.chainage.size(), 2u);
  EXPECT_EQ(chainage_at(d, 0), 39050);
  EXPECT_EQ(chainage_at(d, 3050), 36000);
  EXPECT_EQ(chainage_at(d, 39050), 0);
  EXPECT_EQ(chainage_at(d, 39100), 96050);  // the second series from 39100 m
  EXPECT_EQ(position_of_chainage(d, 16784), 22266);
  EXPECT_EQ(position_of_chainage(d, 82550), 52600);  // ORTE
  EXPECT_FALSE(position_of_chainage(d, 60000));
  route_drawing none;
  EXPECT_FALSE(chainage_at(none, 100));
}

TEST(DrawingModel, PlanLevelsStayWithinTheirToleranceAndThinOut) {
  const route_drawing& d = fixed();
  ASSERT_GE(d.plan.size(), 3u);
  EXPECT_EQ(d.plan.front().tolerance_m, 0.05);
  // Every metre of the line lies within the level's tolerance (plus the
  // finer levels' it was thinned from) of the polyline drawn.
  const compiled_route r = compiled_of(fixed_model());
  for (std::size_t i = 0; i < d.plan.size(); ++i) {
    const plan_level& l = d.plan[i];
    if (i > 0) {
      EXPECT_LT(l.points.size(), d.plan[i - 1].points.size());
    }
    EXPECT_EQ(l.points.front().k, 0);
    EXPECT_EQ(l.points.back().k, 66998);  // the last two points stay empty
    double worst = 0;
    for (std::int64_t k = 0; k <= 66998; k += 7) {
      const auto x = valore(r.tracciato.x[static_cast<std::size_t>(k)]);
      const auto y = valore(r.tracciato.y[static_cast<std::size_t>(k)]);
      const auto q = plan_at(l, static_cast<double>(k));
      ASSERT_TRUE(x && y && q);
      worst = std::max(worst, std::hypot(*x - q->x, *y - q->y));
    }
    EXPECT_LT(worst, l.tolerance_m * 4 / 3 + 0.5) << "level " << i;
  }
  EXPECT_EQ(plan_level_for(d, 1.0)->tolerance_m, 0.8);
  EXPECT_EQ(plan_level_for(d, 0.01)->tolerance_m, 0.05);
}

TEST(DrawingModel, ThinningKeepsEndsAndCorners) {
  std::vector<plan_point> p;
  for (int k = 0; k <= 100; ++k) p.push_back({k, static_cast<double>(k), 0});
  for (int k = 101; k <= 200; ++k) p.push_back({k, 100, static_cast<double>(k - 100)});
  const auto t = thin_points(p, 0.1);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].k, 0);
  EXPECT_EQ(t[1].k, 100);
  EXPECT_EQ(t[2].k, 200);
  EXPECT_EQ(thin_points({}, 1).size(), 0u);
}

TEST(DrawingModel, CompiledFilesDrawTheSameObjectsWithoutRecords) {
  const route_drawing& t = fixed();
  const route_drawing c = drawing_of(compiled_of(fixed_model()), route, train);
  EXPECT_EQ(c.signals.size(), t.signals.size());
  EXPECT_EQ(c.slowdowns[0].start_m, t.slowdowns[0].start_m);
  EXPECT_EQ(c.stations.back().name, "ORTE");
  EXPECT_EQ(c.speed.size(), 9u);
  EXPECT_EQ(c.slowdowns[0].record, no_record);
  EXPECT_TRUE(c.records.empty());
  EXPECT_TRUE(c.files.empty());
  EXPECT_EQ(c.chainage.size(), t.chainage.size());
  EXPECT_EQ(c.plan.front().points.size(), t.plan.front().points.size());
}

// A damaged file may put any double into the plan: points beyond any
// route's reach are left out of the drawing, and the page's whole
// centimetres stay exact numbers for the script.
TEST(DrawingModel, PointsFarBeyondAnyRouteAreNotDrawn) {
  compiled_route r = compiled_of(fixed_model());
  r.tracciato.x[2] = -1e300;
  r.tracciato.x[3] = std::nan("");
  r.tracciato.y[4] = 1e14;
  const route_drawing d = drawing_of(r, route, train);
  for (const plan_level& l : d.plan) {
    for (const plan_point& p : l.points) {
      EXPECT_TRUE(p.k < 2 || p.k > 4) << p.k;
    }
  }
  const nlohmann::json page = drawing_json(d, {});
  for (const auto& level : page["plan"]) {
    for (const char* axis : {"x_cm", "y_cm"}) {
      for (const auto& v : level[axis]) {
        EXPECT_LT(std::fabs(v.get<double>()), 9007199254740992.0);
      }
    }
  }
}

TEST(DrawingModel, DiagnosticsStandAtTheirRecordsPosition) {
  texts t = fixed_texts_on_time();
  const auto at = t.service.find("velocita,    2050,   100");
  ASSERT_NE(at, std::string::npos);
  t.service.replace(at, 24, "velocita,    2055,   100");
  const route_drawing d = drawing_of_texts(t);
  ASSERT_EQ(d.diagnostics.size(), 1u);
  const drawn_diagnostic& g = d.diagnostics[0];
  EXPECT_EQ(g.severity, "warning");
  EXPECT_EQ(g.id, "off-grid");
  EXPECT_EQ(g.file, 1);
  EXPECT_EQ(g.line, 10);
  EXPECT_EQ(g.column, 14);
  EXPECT_EQ(g.at_m, 2055);
  EXPECT_EQ(g.source, "velocita,    2055,   100");
  EXPECT_EQ(g.cell, 41);  // where the compiler changed the speed: R(41.1)
  EXPECT_EQ(d.warnings, 1);
}

// The page is given the cell a diagnostic's record filled, rounded as the
// compiler rounds (a half to the even cell), and never works it out itself:
// a speed at 2025 m starts in cell R(40.5) = 40, at 2075 m in R(41.5) = 42;
// a slowdown at 22675 m stands in cell R(453.5 + 1) = 454.
TEST(DrawingModel, DiagnosticsNameTheCellTheirRecordFilled) {
  struct off_grid {
    std::string written, moved;
    std::int64_t cell;
  };
  for (const off_grid& c : {off_grid{"velocita,    2050,   100", "velocita,    2025,   100", 40},
                            off_grid{"velocita,    2050,   100", "velocita,    2075,   100", 42},
                            off_grid{"rallentamento,   22700", "rallentamento,   22675", 454}}) {
    texts t = fixed_texts_on_time();
    const auto at = t.service.find(c.written);
    ASSERT_NE(at, std::string::npos) << c.written;
    t.service.replace(at, c.written.size(), c.moved);
    const route_drawing d = drawing_of_texts(t);
    ASSERT_EQ(d.diagnostics.size(), 1u) << c.moved;
    const drawn_diagnostic& g = d.diagnostics[0];
    EXPECT_EQ(g.id, "off-grid");
    ASSERT_EQ(g.cell, c.cell) << c.moved;
    EXPECT_EQ(drawing_json(d, {})["diagnostics"][0]["cell"], c.cell);
    // The record of the diagnostic's line put its speed or its object there.
    const auto k = static_cast<std::size_t>(c.cell);
    const auto from_line = [&](std::int32_t r) {
      return r >= 0 && record_of(d, r).file == g.file && record_of(d, r).line == g.line;
    };
    bool filled = false;
    for (const profile_run& r : d.speed) filled = filled || (r.first == k && from_line(r.record));
    for (const drawn_cell& o : d.occupied) {
      filled = filled || (o.index == k && from_line(o.object_record));
    }
    EXPECT_TRUE(filled) << c.moved;
  }
}

TEST(DrawingModel, NoModelStillGivesThePageItsDiagnostics) {
  const route_drawing d = drawing_of_texts({"[generale]\r\n[fine]\r\n", "[generale]\r\n"});
  EXPECT_EQ(d.cells, 0u);
  EXPECT_TRUE(d.plan.empty());
  EXPECT_GT(d.errors, 0);
  EXPECT_FALSE(view_page_html(d, {0, 50}).empty());
}

TEST(ViewPage, TextsOfTheFilesCannotCloseTheScriptOrReachTheNetwork) {
  texts t = fixed_texts();
  const auto at = t.service.find(", ORTE");
  ASSERT_NE(at, std::string::npos);
  t.service.replace(at, 6, ", </script><script>alert(1)</script><!--");
  const route_drawing d = drawing_of_texts(t);
  const std::string page = view_page_html(d, {0, 60000});
  EXPECT_EQ(count(page, "</script>"), 2u);  // the data's and the script's own
  EXPECT_NE(page.find("\\u003c/script>\\u003cscript>alert(1)"), std::string::npos);
  EXPECT_EQ(page.find("<!--\""), std::string::npos);
  EXPECT_EQ(page.find("http://"), std::string::npos);
  EXPECT_EQ(page.find("https://"), std::string::npos);
  EXPECT_EQ(page.find(" src="), std::string::npos);
  EXPECT_EQ(script_safe_json(nlohmann::json("a<b")), "\"a\\u003cb\"");
}

TEST(KmRange, PlainKilometresAndProgressives) {
  const route_drawing& d = fixed();
  EXPECT_EQ(metres_of_km("20", d), 20000);
  EXPECT_EQ(metres_of_km(" 20.5 ", d), 20500);
  EXPECT_EQ(metres_of_km("36+000", d), 3050);
  EXPECT_EQ(metres_of_km("km 16+784", d), 22266);
  EXPECT_THROW(metres_of_km("twenty", d), usage_error);
  EXPECT_THROW(metres_of_km("500+000", d), usage_error);
  const view_range whole = range_of(std::nullopt, std::nullopt, d);
  EXPECT_EQ(whole.from_m, 0);
  EXPECT_EQ(whole.to_m, 60000);
  // Progressives count down: the range comes out in the line's order.
  const view_range r = range_of("36+000", "35+000", d);
  EXPECT_EQ(r.from_m, 3050);
  EXPECT_EQ(r.to_m, 4050);
  EXPECT_EQ(range_of("25", "20", d).from_m, 20000);
  EXPECT_THROW(range_of("70", std::nullopt, d), usage_error);  // past the line's end
  EXPECT_THROW(range_of("20", "20", d), usage_error);
}

TEST(RoutePlot, DrawsTheBoardsTheProgressiveAndOnlyTheRangeAsked) {
  const route_drawing& d = fixed();
  const std::string whole = draw_route_svg(d, {0, 60000});
  EXPECT_EQ(count(whole, "class=\"speed-board-marker\""), 14u);
  EXPECT_EQ(count(whole, "class=\"speed-board-tick\""), 14u);
  EXPECT_EQ(count(whole, "class=\"indication-board-marker\""), 39u);
  EXPECT_EQ(count(whole, "class=\"station-marker\""), 9u);
  EXPECT_NE(whole.find(">km 35+000<"), std::string::npos);  // the progressive axis
  EXPECT_NE(whole.find(">100/105/110 | 100/105/110<"), std::string::npos);
  const std::string part = draw_route_svg(d, {20000, 25000});
  EXPECT_EQ(count(part, "class=\"station-marker\""), 1u);  // Grotte S. Stefano
  EXPECT_EQ(count(part, "class=\"signal-marker\""), 2u);   // 21100 and 22100 m
  EXPECT_NE(part.find(">20.0<"), std::string::npos);
  EXPECT_NE(part.find(">km 19+000<"), std::string::npos);
  EXPECT_EQ(part.find(">km 35+000<"), std::string::npos);
}

// The fixed scenario drawn from its texts with the run of the default train.
const route_drawing& fixed_with_run() {
  static const route_drawing d = [] {
    const texts t = fixed_texts();
    const ingresso_controllo in = input_of(t);
    const esito_controllo e = controlla(in);
    route_drawing x = drawing_of(e, in);
    const dati_da_testi_esito data = dati_da_compilazione(e.compilazione, t.service, route, train);
    add_run(x, data.linea, modello_treno{}, "built-in defaults");
    return x;
  }();
  return d;
}

TEST(DrawingRun, TheRunStaysUnderTheLimitAndMeetsTheTimetable) {
  const route_drawing& d = fixed_with_run();
  ASSERT_TRUE(d.run);
  const drawn_run& r = *d.run;
  EXPECT_FALSE(r.reason);
  EXPECT_EQ(r.train_model, "built-in defaults");
  // Every 10 m from the first station (VITERBO P. F., 0 m) to the last (ORTE).
  ASSERT_GT(r.points.size(), 4000u);
  EXPECT_EQ(r.points.front().at_m, d.stations.front().axis_m);
  EXPECT_EQ(r.points.back().at_m, d.stations.back().axis_m);
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    const run_point& p = r.points[i];
    EXPECT_LE(p.speed_kmh, p.limit_kmh + 1e-9) << p.at_m;
    // The limit the run keeps is never above the line's at that cell.
    for (const profile_run& v : d.speed) {
      if (p.at_m >= metri_di_cella(static_cast<std::int64_t>(v.first)) &&
          p.at_m < metri_di_cella(static_cast<std::int64_t>(v.last) + 1)) {
        EXPECT_LE(p.limit_kmh, v.value + 1e-9) << p.at_m;
      }
    }
    if (i > 0) {
      EXPECT_GE(p.time_s, r.points[i - 1].time_s) << p.at_m;
    }
  }
  // One entry per station, at its axis; the timetable where the service
  // file gives a time; the train leaves no stop before its time.
  ASSERT_EQ(r.stations.size(), d.stations.size());
  for (const run_station& s : r.stations) {
    const drawn_station& x = d.stations.at(s.station);
    EXPECT_EQ(s.at_m, x.axis_m);
    EXPECT_EQ(s.timetable_s.has_value(), x.time_s != 0) << x.name;
    if (s.timetable_s) {
      EXPECT_EQ(*s.timetable_s, x.time_s);
    }
    if (s.stops && s.timetable_s && &s != &r.stations.back()) {
      EXPECT_GE(s.departure_s, *s.timetable_s) << x.name;
    }
    if (!s.stops) {
      EXPECT_EQ(s.arrival_s, s.departure_s);
    }
  }
  EXPECT_EQ(r.stations.front().departure_s, 13 * 3600 + 49 * 60);  // 13:49:00
  // Sections between stations with a time, end to end; S. Nicola's 14:09:00
  // after Grotte's 14:09:00 cannot be driven.
  ASSERT_FALSE(r.sections.empty());
  for (std::size_t i = 1; i < r.sections.size(); ++i) {
    EXPECT_EQ(r.sections[i].from_m, r.sections[i - 1].to_m);
  }
  const auto nicola = std::find_if(r.sections.begin(), r.sections.end(), [](const run_section& z) {
    return z.to == "Sipicciano S. Nicola";
  });
  ASSERT_NE(nicola, r.sections.end());
  EXPECT_EQ(nicola->from, "Grotte S. Stefano");
  EXPECT_EQ(nicola->to_m - nicola->from_m, 9050);
  EXPECT_EQ(nicola->timetable_s, 0);
  EXPECT_FALSE(nicola->drivable());
  EXPECT_DOUBLE_EQ(nicola->margin_s, -nicola->fastest_s);

  const std::string j = script_safe_json(drawing_json(d, {0, 60000}));
  EXPECT_NE(j.find("\"points\":{\"at_m\":[0.0,10.0,"), std::string::npos)
      << j.substr(j.find("\"run\""), 80);
}

TEST(DrawingRun, ARunThatCannotBeTimedKeepsOnlyItsReason) {
  const texts t = fixed_texts();
  const ingresso_controllo in = input_of(t);
  const esito_controllo e = controlla(in);
  route_drawing d = drawing_of(e, in);
  dati_da_testi_esito data = dati_da_compilazione(e.compilazione, t.service, route, train);
  data.linea.percentuale_massa_frenata = 0;
  add_run(d, data.linea, modello_treno{}, "treno.json");
  ASSERT_TRUE(d.run && d.run->reason);
  EXPECT_EQ(d.run->reason->rfind("no run drawn: ", 0), 0u) << *d.run->reason;
  EXPECT_TRUE(d.run->points.empty());
  EXPECT_TRUE(d.run->stations.empty());
  EXPECT_TRUE(d.run->sections.empty());
  // The plot says why in its title and in the time panel.
  const std::string svg = draw_route_svg(d, {0, 60000});
  EXPECT_NE(svg.find("train 7547  \u2014  no run drawn: "), std::string::npos);
  EXPECT_EQ(count(svg, "class=\"run-reason\""), 1u);
  EXPECT_EQ(count(svg, "class=\"run-speed\""), 0u);
}

TEST(DrawingRun, ThePlotDrawsTheRunUnderTheLimitAndTheTimetableAtItsStations) {
  const route_drawing& d = fixed_with_run();
  const std::string svg = draw_route_svg(d, {0, 60000});
  const auto x_of = [](double m) { return 110.0 + m / 60000.0 * 1450.0; };
  // The limit as a step function of x: the lowest value drawn within 0.1 px.
  const auto polyline = [&](const std::string& cls) {
    std::vector<std::pair<double, double>> pts;
    const std::size_t at = svg.find("class=\"" + cls + "\"");
    const std::size_t from = svg.rfind("points=\"", at) + 8;
    std::istringstream in(svg.substr(from, svg.find('"', from) - from));
    std::string pair;
    while (in >> pair) {
      const std::size_t comma = pair.find(',');
      pts.emplace_back(std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1)));
    }
    return pts;
  };
  const auto limit = polyline("speed");
  const auto run = polyline("run-speed");
  ASSERT_GT(run.size(), 1000u);
  // Every point of the run at or below the limit (y grows downward).
  for (const auto& [x, y] : run) {
    double lowest_limit_y = 0;
    for (std::size_t i = 0; i + 1 < limit.size(); ++i) {
      if (limit[i].first - 0.1 <= x && x <= limit[i + 1].first + 0.1) {
        lowest_limit_y = std::max(lowest_limit_y, std::max(limit[i].second, limit[i + 1].second));
      }
    }
    EXPECT_GE(y, lowest_limit_y - 0.05) << "x " << x;
  }
  EXPECT_NEAR(run.front().first, x_of(d.stations.front().axis_m), 0.05);
  EXPECT_NEAR(run.back().first, x_of(d.stations.back().axis_m), 0.05);

  // A circle for each station with a time, at its axis; earlier times lower.
  std::vector<std::pair<double, double>> points;
  for (std::size_t at = svg.find("class=\"timetable-point\""); at != std::string::npos;
       at = svg.find("class=\"timetable-point\"", at + 1)) {
    const std::size_t cx = svg.find("cx=\"", at) + 4;
    const std::size_t cy = svg.find("cy=\"", at) + 4;
    points.emplace_back(std::stod(svg.substr(cx)), std::stod(svg.substr(cy)));
  }
  std::vector<const drawn_station*> timed;
  for (const drawn_station& s : d.stations) {
    if (s.time_s != 0) timed.push_back(&s);
  }
  ASSERT_EQ(points.size(), timed.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(points[i].first, x_of(timed[i]->axis_m), 0.05) << timed[i]->name;
    EXPECT_GE(points[i].second, plot_layout::time_top);
    EXPECT_LE(points[i].second, plot_layout::time_bottom);
    if (i > 0 && timed[i]->time_s > timed[i - 1]->time_s) {
      EXPECT_LT(points[i].second, points[i - 1].second) << timed[i]->name;
    }
  }
  // The margin of each section, the short one in red.
  EXPECT_EQ(count(svg, "class=\"run-margin\""), d.run->sections.size());
  EXPECT_NE(svg.find("fill=\"#b71c1c\">-"), std::string::npos);
}

TEST(DrawingDocuments, TheSheetsRowsStandAtTheirStationsWithTheFindings) {
  // The program's own sheet and form against the fixed scenario: the
  // documented disagreements, at S. Nicola (31900 m) and at the slowdown.
  route_drawing d = fixed();
  const texts t = fixed_texts();
  const fixed_scenario_documents doc = fixed_documents();
  const dati_documenti data = *dati_da_testi(t.line, t.service, route, train).dati;
  add_documents(d, data, {"scheda.txt", "moduli.txt", doc.sheet, doc.form}, 30);
  ASSERT_TRUE(d.documents);
  const drawn_documents& x = *d.documents;
  EXPECT_EQ(x.sheet_file, "scheda.txt");
  // Every station matched to its row, in order, the row at its axis.
  std::vector<std::size_t> matched;
  for (const sheet_row& r : x.rows) {
    if (!r.station) continue;
    matched.push_back(*r.station);
    EXPECT_EQ(r.at_m, d.stations[*r.station].axis_m) << r.name;
  }
  ASSERT_EQ(matched.size(), d.stations.size());
  for (std::size_t i = 0; i < matched.size(); ++i) EXPECT_EQ(matched[i], i);
  const auto nicola = std::find_if(x.rows.begin(), x.rows.end(), [](const sheet_row& r) {
    return r.name.find("S. Nicola") != std::string::npos;
  });
  ASSERT_NE(nicola, x.rows.end());
  EXPECT_EQ(nicola->line, 26);
  EXPECT_EQ(nicola->km_m, 7350);
  EXPECT_EQ(nicola->at_m, 31900);
  EXPECT_EQ(nicola->times, "14.17+    14.18");
  EXPECT_EQ(nicola->arrival_s, 14 * 3600 + 17 * 60 + 30);
  EXPECT_EQ(nicola->departure_s, 14 * 3600 + 18 * 60);
  EXPECT_FALSE(nicola->passing_s);
  // A row that is no station stands at its kilometre.
  for (const sheet_row& r : x.rows) {
    if (!r.station && r.km_m) {
      EXPECT_EQ(r.at_m, position_of_chainage(d, *r.km_m)) << r.line;
    }
  }

  ASSERT_EQ(x.findings.size(), 3u);
  EXPECT_EQ(x.findings[0].id, "sheet-km-differs");
  EXPECT_EQ(x.findings[1].id, "sheet-time-differs");
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(x.findings[i].document, "sheet");
    EXPECT_EQ(x.findings[i].line, 26);
    EXPECT_EQ(x.findings[i].matched, "Sipicciano S. Nicola");
    EXPECT_EQ(x.findings[i].at_m, 31900);
    EXPECT_TRUE(x.findings[i].disagreement);
  }
  EXPECT_EQ(x.findings[1].column, 51);
  EXPECT_NE(x.findings[1].message.find("14:09:00"), std::string::npos);
  EXPECT_EQ(x.findings[2].document, "form");
  EXPECT_EQ(x.findings[2].id, "form-length-differs");
  EXPECT_EQ(x.findings[2].line, 13);
  EXPECT_EQ(x.findings[2].column, 63);

  // A dwell of 60 s: the sheet's arrivals (30 s before) now differ too.
  route_drawing e = fixed();
  add_documents(e, data, {"scheda.txt", "", doc.sheet, ""}, 60);
  std::size_t arrivals = 0;
  for (const document_finding& f : e.documents->findings) {
    arrivals += f.id == "sheet-arrival-differs" ? 1 : 0;
  }
  EXPECT_GT(arrivals, 0u);

  const std::string j = script_safe_json(drawing_json(d, {0, 60000}));
  EXPECT_NE(j.find("\"id\":\"sheet-time-differs\""), std::string::npos);
  EXPECT_NE(j.find("\"times\":\"14.17+    14.18\""), std::string::npos);
}

}  // namespace
}  // namespace scenario
