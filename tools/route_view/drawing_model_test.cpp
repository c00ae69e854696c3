// The drawing model of the fixed scenario, without a browser: what is drawn
// where, the records behind it, the kilometric series, the thinned plan,
// the page's escaping and the km figures of --from and --to.
#include "tools/route_view/drawing_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sources/testi_fissi.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/km_range.h"
#include "tools/route_view/drawing_json.h"
#include "tools/route_view/route_plot.h"
#include "tools/route_view/view_page.h"

namespace scenario {
namespace {

const std::string route = "Viterbo_Attigliano_Orte";
const std::string train = "7547";

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

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

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

}  // namespace
}  // namespace scenario
