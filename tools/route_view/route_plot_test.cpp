#include "tools/route_view/route_plot.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/golden_file.h"
#include "sources/testi_fissi.h"
#include "tools/route_view/plot_layout.h"
#include "tools/route_view/svg_document.h"
#include "tools/testing/compiled_route_builder.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"
#include "tools/testing/text_search.h"

namespace scenario {
namespace {

// A small well-formedness check: tags nest and close, attributes are quoted,
// no stray '<' or '&' in text.
bool well_formed(const std::string& xml, std::string& why) {
  std::vector<std::string> open;
  std::size_t i = 0;
  bool root_seen = false;
  while (i < xml.size()) {
    if (xml[i] == '&') {
      const auto semi = xml.find(';', i);
      const std::string entity = xml.substr(i, semi == std::string::npos ? 0 : semi - i + 1);
      if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;") {
        why = "bad entity at " + std::to_string(i);
        return false;
      }
      i = semi + 1;
      continue;
    }
    if (xml[i] != '<') {
      if (open.empty() && !std::isspace(static_cast<unsigned char>(xml[i]))) {
        why = "text outside the root at " + std::to_string(i);
        return false;
      }
      ++i;
      continue;
    }
    const auto end = xml.find('>', i);
    if (end == std::string::npos) {
      why = "unclosed tag";
      return false;
    }
    std::string tag = xml.substr(i + 1, end - i - 1);
    i = end + 1;
    if (tag.front() == '?') continue;
    if (tag.front() == '/') {
      if (open.empty() || open.back() != tag.substr(1)) {
        why = "mismatched </" + tag.substr(1) + ">";
        return false;
      }
      open.pop_back();
      continue;
    }
    const bool self_closing = tag.back() == '/';
    if (self_closing) tag.pop_back();
    const std::string name = tag.substr(0, tag.find_first_of(" \n"));
    std::size_t quotes = 0;
    for (const char c : tag) quotes += c == '"' ? 1 : 0;
    if (quotes % 2 != 0 || tag.find('<') != std::string::npos) {
      why = "bad attributes in <" + name + ">";
      return false;
    }
    if (open.empty()) {
      if (root_seen) {
        why = "second root";
        return false;
      }
      root_seen = true;
    }
    if (!self_closing) open.push_back(name);
  }
  if (!open.empty()) why = "unclosed <" + open.back() + ">";
  return open.empty() && root_seen;
}

using testing::count;

TEST(RoutePlot, WellFormedWithOneMarkerPerStationAndSignal) {
  memory_file_system fs;
  const program_folder folder{"/r", '/'};
  testing::write_route_files(fs, folder, testing::sample_model());
  const compiled_route r = load_compiled_route(fs, folder, "Prova", "12");
  const std::string svg = draw_route_svg(r, "Prova <&>", "12");
  std::string why;
  EXPECT_TRUE(well_formed(svg, why)) << why;
  EXPECT_EQ(count(svg, "class=\"station-marker\""), 3u);
  EXPECT_EQ(count(svg, "class=\"signal-marker\""), 4u);
  EXPECT_EQ(count(svg, "class=\"station-label\""), 3u);
  EXPECT_EQ(count(svg, "class=\"signal-label\""), 4u);
  EXPECT_NE(svg.find("Prova &lt;&amp;&gt;"), std::string::npos);
  EXPECT_NE(svg.find("Bet\xc3\xa0"), std::string::npos);
  EXPECT_EQ(svg.find("http://", svg.find("xmlns") + 40), std::string::npos);  // self-contained
}

// The fixed scenario's plot as `route_tool plot` writes it from the compiled
// files, with the run of the built-in train model: every mark, label, box
// and axis where it was reviewed (VO_REBASE_GOLDEN=1 rewrites the file after
// a deliberate change; review its diff in a browser).
TEST(RoutePlot, TheFixedScenarioDrawnAsReviewed) {
  testing::temp_folder tmp;
  const fixed_scenario_texts t = fixed_texts();
  const std::string route = "Viterbo_Attigliano_Orte";
  testing::write_text(tmp.path() / nome_file_linea_txt(route), t.line);
  testing::write_text(tmp.path() / nome_file_servizio_txt(route, "7547"), t.service);
  ASSERT_EQ(testing::run({"compile", "--line", tmp / nome_file_linea_txt(route), "--service",
                          tmp / nome_file_servizio_txt(route, "7547"), "--out", tmp / "out"})
                .status,
            0);
  ASSERT_EQ(testing::run({"plot", tmp / "out", "-o", tmp / "plot.svg"}).status, 0);
  EXPECT_TRUE(matches_golden("Viterbo_Attigliano_Orte_7547_plot.svg",
                             disk_file_system().read_file(tmp / "plot.svg")));
}

TEST(RoutePlot, XmlTextEscapesAndDropsControls) {
  EXPECT_EQ(xml_text("a<b>&\"c\x01"), "a&lt;b&gt;&amp;&quot;c?");
  std::string why;
  EXPECT_FALSE(well_formed("<a><b></a>", why));
  EXPECT_FALSE(well_formed("<a>x & y</a>", why));
  EXPECT_TRUE(well_formed("<?xml version=\"1.0\"?>\n<a><b x=\"1\"/>t</a>\n", why));
}

// The elements of an SVG whose class is `cls`, each as its attributes.
std::vector<std::map<std::string, std::string>> elements(const std::string& svg,
                                                         const std::string& cls) {
  std::vector<std::map<std::string, std::string>> out;
  const std::string mark = "class=\"" + cls + "\"";
  for (auto p = svg.find(mark); p != std::string::npos; p = svg.find(mark, p + 1)) {
    const std::size_t open = svg.rfind('<', p);
    const std::size_t close = svg.find('>', p);
    const std::string tag = svg.substr(open, close - open);
    std::map<std::string, std::string> a;
    for (std::size_t i = tag.find('='); i != std::string::npos; i = tag.find('=', i + 1)) {
      const std::size_t name_start = tag.rfind(' ', i) + 1;
      const std::size_t value_end = tag.find('"', i + 2);
      a[tag.substr(name_start, i - name_start)] = tag.substr(i + 2, value_end - i - 2);
      i = value_end;
    }
    out.push_back(a);
  }
  return out;
}

double num(const std::map<std::string, std::string>& a, const std::string& name) {
  return std::stod(a.at(name));
}

std::vector<point> points_of(const std::map<std::string, std::string>& a) {
  std::vector<point> pts;
  std::istringstream in(a.at("points"));
  std::string pair;
  while (in >> pair) {
    const std::size_t comma = pair.find(',');
    pts.push_back({std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1))});
  }
  return pts;
}

// The plot's x of metre m over [from, to], worked out here from the page's
// layout: the profile runs from 110 px to 1560 px.
double x_of(double m, double from, double to) {
  return 110.0 + (m - from) / (to - from) * 1450.0;
}

TEST(RoutePlotGeometry, OneScaleFromMetresToX) {
  using plot_layout::profile_axis;
  const profile_axis ax{20000, 25000};
  EXPECT_DOUBLE_EQ(ax.x(20000), plot_layout::profile_left);
  EXPECT_DOUBLE_EQ(ax.x(25000), plot_layout::profile_right);
  EXPECT_DOUBLE_EQ(ax.x(22500), x_of(22500, 20000, 25000));
  // A 50 m cell is 50 m x 0.29 px/m wide; beyond the stretch x holds at its ends.
  EXPECT_DOUBLE_EQ(ax.x(20100) - ax.x(20050), 50 * 1450.0 / 5000.0);
  EXPECT_DOUBLE_EQ(ax.x(19000), plot_layout::profile_left);
  EXPECT_DOUBLE_EQ(ax.x(26000), plot_layout::profile_right);
}

// A line of 1000 m (20 cells) with a 50 m stretch of each kind at both ends.
route_drawing stretches_at_both_ends() {
  route_drawing d;
  d.route = "Prova";
  d.train = "1";
  d.line_length_m = 1000;
  d.cells = 20;
  d.gradient = {{0, 0, 12, no_record}, {1, 18, 0, no_record}, {19, 19, -7, no_record}};
  d.speed = {{0, 0, 60, no_record}, {1, 18, 100, no_record}, {19, 19, 40, no_record}};
  d.slowdowns = {{0, 50, 0, 1, 30, no_record}, {950, 1000, 19, 19, 20, no_record}};
  d.tunnels = {{0, 50, 1, no_record}, {950, 1000, 2, no_record}};
  return d;
}

TEST(RoutePlotGeometry, EveryStretchSpansItsMetresEvenAt50mAtBothEnds) {
  const route_drawing d = stretches_at_both_ends();
  const std::string svg = draw_route_svg(d, {0, 1000});
  const double cell_px = 50 * 1450.0 / 1000.0;  // 72.5 px

  const auto grades = elements(svg, "grade");
  ASSERT_EQ(grades.size(), 2u);
  EXPECT_NEAR(num(grades[0], "x"), x_of(0, 0, 1000), 0.05);
  EXPECT_NEAR(num(grades[0], "width"), cell_px, 0.05);
  EXPECT_NEAR(num(grades[1], "x"), x_of(950, 0, 1000), 0.05);
  EXPECT_NEAR(num(grades[1], "width"), cell_px, 0.05);
  // Uphill above the middle line, downhill below, each as tall as its value.
  EXPECT_LT(num(grades[0], "y"), 1245.0);
  EXPECT_NEAR(num(grades[1], "y"), 1245.0, 0.05);

  // The limit: one step per run, each from its first metre to the metre
  // after its last.
  const auto speed = elements(svg, "speed");
  ASSERT_EQ(speed.size(), 1u);
  const std::vector<point> limit = points_of(speed[0]);
  ASSERT_EQ(limit.size(), 6u);
  const double xs[] = {0, 50, 50, 950, 950, 1000};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(limit[i].x, x_of(xs[i], 0, 1000), 0.05) << i;
  EXPECT_NEAR(limit[0].y, limit[1].y, 1e-9);
  EXPECT_GT(limit[0].y, limit[2].y);  // 60 km/h below 100 km/h

  const std::size_t slow = svg.find("url(#slow-hatch)\"/>");
  ASSERT_NE(slow, std::string::npos);
  const auto tunnels_x = [&](double m) { return "<rect x=\"" + f1(x_of(m, 0, 1000)) + "\""; };
  EXPECT_NE(svg.find(tunnels_x(0) + " y=\"1191.0\" width=\"72.5\""), std::string::npos);
  EXPECT_NE(svg.find(tunnels_x(950) + " y=\"1191.0\" width=\"72.5\""), std::string::npos);
  EXPECT_NE(svg.find("<line x1=\"" + f1(x_of(950, 0, 1000)) + "\""), std::string::npos);

  // Half the line: the stretches of the far end stay out, the near ones are
  // twice as wide.
  const std::string half = draw_route_svg(d, {0, 500});
  const auto near_grades = elements(half, "grade");
  ASSERT_EQ(near_grades.size(), 1u);
  EXPECT_NEAR(num(near_grades[0], "width"), 2 * cell_px, 0.05);
}

TEST(RoutePlotGeometry, AGradeOfOnePerMilleEitherWayHasItsColour) {
  route_drawing d = stretches_at_both_ends();
  d.gradient = {
      {0, 0, 12, no_record}, {1, 1, 1, no_record}, {2, 18, 0, no_record}, {19, 19, -1, no_record}};
  const auto grades = elements(draw_route_svg(d, {0, 1000}), "grade");
  ASSERT_EQ(grades.size(), 3u);
  EXPECT_EQ(grades[1].at("fill"), grades[0].at("fill"));  // +1: uphill, like +12
  EXPECT_NE(grades[2].at("fill"), grades[1].at("fill"));  // -1: downhill
  EXPECT_LT(num(grades[1], "y"), 1245.0);
  EXPECT_NEAR(num(grades[2], "y"), 1245.0, 0.05);
}

// The text of the <text> element after position `from` in the SVG.
std::string next_text(const std::string& svg, std::size_t from) {
  const std::size_t open = svg.find("<text", from);
  const std::size_t start = svg.find('>', open) + 1;
  return svg.substr(start, svg.find("</text>", start) - start);
}

TEST(RoutePlotGeometry, AWidePlanLabelsItsStationsInARowAboveTheTrack) {
  // A straight line from west to east, 10 km; two stations 300 m apart,
  // whose second lines (position and time) are wider than their names.
  route_drawing d;
  d.route = "Prova";
  d.train = "1";
  d.line_length_m = 10000;
  d.cells = 200;
  plan_level level;
  for (std::int64_t k = 0; k <= 10000; k += 1000) level.points.push_back({k, double(k), 0});
  d.plan.push_back(level);
  d.stations = {{1, "A", 4000, 3900, 4100, 8 * 3600, no_record, 81},
                {2, "B", 4300, 4200, 4400, 9 * 3600, no_record, 87}};
  const std::string svg = draw_route_svg(d, {0, 10000});
  const auto track = elements(svg, "track");
  ASSERT_EQ(track.size(), 1u);
  const std::vector<point> line = points_of(track[0]);
  ASSERT_GE(line.size(), 2u);
  const double track_y = line.front().y;
  std::vector<double> x, width;
  const std::string mark = "class=\"station-label\"";
  for (auto p = svg.find(mark); p != std::string::npos; p = svg.find(mark, p + 1)) {
    const std::size_t open = svg.rfind("<text", p);
    const auto a = elements(svg.substr(open, svg.find('>', p) - open + 1), "station-label");
    ASSERT_EQ(a.size(), 1u);
    EXPECT_LT(num(a[0], "y"), track_y) << "above the track";
    EXPECT_EQ(a[0].at("text-anchor"), "middle");
    x.push_back(num(a[0], "x"));
    const double name = text_width(next_text(svg, open), 13);
    const double second = text_width(next_text(svg, p), 10.5);
    EXPECT_GT(second, name);
    width.push_back(second);
  }
  ASSERT_EQ(x.size(), 2u);
  // In running order, and neither line of one over the other's.
  EXPECT_GE(x[1] - x[0], (width[0] + width[1]) / 2) << x[0] << " " << x[1];
  // The scale bar: the longest of 1, 2 or 5 times a power of ten within
  // 160 px. The 10 km of track span line.back().x - line.front().x px.
  const double px_per_m = (line.back().x - line.front().x) / 10000;
  ASSERT_GT(1000 * px_per_m, 80.0);
  ASSERT_LE(1000 * px_per_m, 160.0);
  EXPECT_NE(svg.find(">1 km</text>"), std::string::npos);
}

}  // namespace
}  // namespace scenario
