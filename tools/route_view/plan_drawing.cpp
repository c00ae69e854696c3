#include "tools/route_view/plan_drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/text_format.h"
#include "compiler/route_model/misure.h"
#include "tools/route_view/label_spread.h"
#include "tools/route_view/plot_layout.h"

namespace scenario {

using namespace plot_layout;

namespace {

// Metres of the plan to screen pixels: equal scale on both axes, north up.
struct plan_view {
  double scale = 1, x_min = 0, y_min = 0, ox = 0, oy = 0;
  point to_screen(point m) const {
    return {ox + (m.x - x_min) * scale, oy - (m.y - y_min) * scale};
  }
};

// The stretch of the plan between two positions, as screen points: the
// level's points between them and the two ends.
std::vector<point> stretch(const plan_level& l, const plan_view& v, double from, double to) {
  std::vector<point> pts;
  const double last = l.points.empty() ? 0 : static_cast<double>(l.points.back().k);
  from = std::max(0.0, from);
  to = std::min(last, to);
  if (to < from) return pts;
  if (const auto q = plan_at(l, from)) pts.push_back(v.to_screen({q->x, q->y}));
  for (const plan_point& q : l.points) {
    const auto k = static_cast<double>(q.k);
    if (k > from && k < to) pts.push_back(v.to_screen({q.x, q.y}));
  }
  if (const auto q = plan_at(l, to)) pts.push_back(v.to_screen({q->x, q->y}));
  return pts;
}

struct label_text {
  std::string first;  // bold line
  double first_size = 12;
  std::string second;  // small line, may be empty
  double second_size = 10;
  double width() const {
    return std::max(text_width(first, first_size), text_width(second, second_size));
  }
  double height() const { return first_size + (second.empty() ? 0 : second_size + 2); }
};

void draw_text_label(svg& out, double x, double top, const label_text& t, const std::string& anchor,
                     const std::string& colour, const std::string& cls) {
  // A white halo keeps the text readable where it crosses a line.
  const std::string halo = " stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"";
  out.text(x, top + t.first_size * 0.85, t.first,
           "class=\"" + cls + "\" font-size=\"" + f1(t.first_size) +
               "\" font-weight=\"bold\" text-anchor=\"" + anchor + "\" fill=\"" + colour + "\"" +
               halo);
  if (!t.second.empty()) {
    out.text(x, top + t.first_size + 2 + t.second_size * 0.85, t.second,
             "font-size=\"" + f1(t.second_size) + "\" text-anchor=\"" + anchor +
                 "\" fill=\"#555555\"" + halo);
  }
}

std::string hh_mm(std::int32_t s) {
  return hh_mm_ss(s).substr(0, 5);
}

// A label tied to a marker on the plan.
struct callout {
  point marker;
  label_text text;
  std::string colour;
  std::string cls;
};

// Labels in a column beside the track (tall plans: stations right, signals
// left) or in a row above or below it (wide plans), spread so that none
// overlaps, each joined to its marker by a leader line.
bool draw_callouts(svg& out, std::vector<callout>& items, bool column, double at, int side,
                   double lo, double hi) {
  // Too many labels for the column: drop their second lines, then shrink
  // them (to 55 % at most); if even that does not fit, draw none.
  const double gap = column ? 3 : 10;
  const auto needed = [&] {
    double n = 0;
    for (const callout& c : items) n += (column ? c.text.height() : c.text.width()) + gap;
    return n;
  };
  if (needed() > hi - lo) {
    for (callout& c : items) c.text.second.clear();
  }
  if (const double n = needed(); n > hi - lo) {
    const double gaps = gap * static_cast<double>(items.size());
    const double f = (hi - lo - gaps) / (n - gaps);
    if (f < 0.55) return false;
    for (callout& c : items) c.text.first_size *= f;
  }
  std::vector<spread_item> spread;
  for (const callout& c : items) {
    if (column) {
      spread.push_back({c.marker.y, c.text.height(), 0});
    } else {
      spread.push_back({c.marker.x, c.text.width(), 0});
    }
  }
  spread_labels(spread, lo, hi, gap);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const callout& c = items[i];
    const double p = spread[i].placed;
    const std::string leader_attrs = "fill=\"none\" stroke=\"#9a9a9a\" stroke-width=\"0.8\"";
    if (column) {
      const double knee = at - side * 16;
      out.add("<polyline points=\"" + f1(c.marker.x) + "," + f1(c.marker.y) + " " + f1(knee) + "," +
              f1(p) + " " + f1(at - side * 3) + "," + f1(p) + "\" " + leader_attrs + "/>");
      draw_text_label(out, at, p - c.text.height() / 2, c.text, side > 0 ? "start" : "end",
                      c.colour, c.cls);
    } else {
      const double edge = side > 0 ? at : at - c.text.height();
      const double knee = side > 0 ? at - 12 : at + 12;
      const double tip = side > 0 ? at - 3 : at + 3;
      out.add("<polyline points=\"" + f1(c.marker.x) + "," + f1(c.marker.y) + " " + f1(p) + "," +
              f1(knee) + " " + f1(p) + "," + f1(tip) + "\" " + leader_attrs + "/>");
      draw_text_label(out, p, edge, c.text, "middle", c.colour, c.cls);
    }
  }
  return true;
}

// The scenario's figures in words, in the plan's lower left corner.
void draw_scenario_box(svg& out, const route_drawing& d) {
  const std::vector<std::string>& rows = d.header;
  const double row_h = 16, w = 310;
  const double h = 30 + row_h * static_cast<double>(rows.size());
  const double x = margin + 14, y = plan_bottom - 14 - h;
  out.rect(x, y, w, h, "fill=\"#ffffff\" stroke=\"#c8c4b8\"");
  out.text(x + 10, y + 19, "Scenario data",
           "font-size=\"12\" font-weight=\"bold\" fill=\"#333333\"");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out.text(x + 10, y + 38 + row_h * static_cast<double>(i), rows[i],
             "font-size=\"10.5\" fill=\"#444444\"");
  }
}

}  // namespace

void draw_plan(svg& out, const route_drawing& d, const view_range& range) {
  const std::string track = std::string(colour_of("track"));
  out.add("<clipPath id=\"plan-clip\"><rect x=\"" + f1(margin) + "\" y=\"" + f1(plan_top) +
          "\" width=\"" + f1(page_w - 2 * margin) + "\" height=\"" + f1(plan_bottom - plan_top) +
          "\"/></clipPath>");
  out.rect(margin, plan_top, page_w - 2 * margin, plan_bottom - plan_top,
           "fill=\"#fbfaf6\" stroke=\"#c8c4b8\"");
  out.text(margin + 14, plan_top + 24, "Track plan",
           "font-size=\"15\" font-weight=\"bold\" fill=\"#333333\"");
  if (d.plan.empty()) {
    out.text(page_w / 2, (plan_top + plan_bottom) / 2, "no track geometry in the line data file",
             "font-size=\"14\" fill=\"#777777\" text-anchor=\"middle\"");
    return;
  }

  // Bounds of the stretch shown, from the finest level; what lies beyond it
  // (the 7 km past the line's end too) is drawn but clipped.
  const plan_level& finest = d.plan.front();
  const double last = static_cast<double>(finest.points.back().k);
  const double line_end = std::clamp(static_cast<double>(d.line_length_m), 1.0, last);
  const double from = std::clamp(range.from_m, 0.0, last);
  const double to = std::clamp(range.to_m, from, last);
  double x_min = 1e300, x_max = -1e300, y_min = 1e300, y_max = -1e300;
  const auto widen = [&](const plan_point& q) {
    x_min = std::min(x_min, q.x);
    x_max = std::max(x_max, q.x);
    y_min = std::min(y_min, q.y);
    y_max = std::max(y_max, q.y);
  };
  for (const plan_point& q : finest.points) {
    if (static_cast<double>(q.k) >= from && static_cast<double>(q.k) <= to) widen(q);
  }
  for (const double m : {from, to}) {
    if (const auto q = plan_at(finest, m)) widen(*q);
  }

  // Fit the line with equal scales, leaving room for a label column on each
  // side (tall plans) or a label row above and below (wide plans).
  const double box_x0 = margin + 20, box_x1 = page_w - margin - 20;
  const double box_y0 = plan_top + 84, box_y1 = plan_bottom - 30;
  const double column_room = 300, row_room = 80;
  const double span_x = std::max(x_max - x_min, 1.0), span_y = std::max(y_max - y_min, 1.0);
  const double tall_scale =
      std::min((box_x1 - box_x0 - 2 * column_room) / span_x, (box_y1 - box_y0) / span_y);
  const double wide_scale =
      std::min((box_x1 - box_x0) / span_x, (box_y1 - box_y0 - 2 * row_room) / span_y);
  const bool tall = tall_scale >= wide_scale;
  plan_view v;
  v.scale = std::max(tall_scale, wide_scale);
  v.x_min = x_min;
  v.y_min = y_min;
  v.ox = (box_x0 + box_x1) / 2 - span_x * v.scale / 2;
  v.oy = (box_y0 + box_y1) / 2 + span_y * v.scale / 2;
  const point top_left = v.to_screen({x_min, y_max});
  const point bottom_right = v.to_screen({x_max, y_min});

  // The level thin enough for half a pixel.
  const plan_level& l = *plan_level_for(d, 0.5 / v.scale);
  const auto in_range = [&](double m) { return m >= from && m <= to; };
  const auto band = [&](double a, double b, std::string_view colour, const char* rest) {
    out.polyline(stretch(l, v, a, b),
                 "stroke=\"" + std::string(colour) + "\" stroke-width=\"8\" " + rest);
  };
  out.add("<g clip-path=\"url(#plan-clip)\">");
  out.polyline(stretch(l, v, line_end, last),
               "stroke=\"" + std::string(colour_of("past-end")) +
                   "\" stroke-width=\"1.6\" stroke-dasharray=\"5 4\"");
  out.polyline(stretch(l, v, 0, line_end), "stroke=\"#bdbdbd\" stroke-width=\"1.6\"");
  for (const drawn_span& t : d.tunnels) {
    band(t.from_m, t.to_m, colour_of("tunnel"), "stroke-opacity=\"0.55\"");
  }
  for (const drawn_station& s : d.stations) {
    band(s.start_m, s.end_m, colour_of("station"), "stroke-opacity=\"0.3\"");
  }
  for (const drawn_slowdown& s : d.slowdowns) {
    band(s.start_m, s.end_m, colour_of("slowdown"), "stroke-opacity=\"0.8\"");
  }
  out.polyline(
      stretch(l, v, from, std::min(to, line_end)),
      "class=\"track\" stroke=\"" + track + "\" stroke-width=\"2.2\" stroke-linejoin=\"round\"");
  out.add("</g>");

  const auto screen_at = [&](double m) {
    const auto q = plan_at(l, m);
    return q ? v.to_screen({q->x, q->y}) : point{};
  };
  std::vector<callout> first_side, second_side;  // stations and slowdowns; signals
  for (const drawn_station& s : d.stations) {
    if (!in_range(s.axis_m)) continue;
    first_side.push_back(
        {screen_at(s.axis_m),
         {s.name.empty() ? "station " + std::to_string(s.slot) : s.name, 13,
          progressiva_o_metri(s.axis_m, d.chainage) + (s.time_s != 0 ? "  " + hh_mm(s.time_s) : ""),
          10.5},
         std::string(colour_of("station")),
         "station-label"});
  }
  for (const drawn_slowdown& s : d.slowdowns) {
    if (!in_range(s.start_m) && !in_range(s.end_m)) continue;
    first_side.push_back(
        {screen_at((s.start_m + s.end_m) / 2),
         {"slowdown " + std::to_string(s.speed) + " km/h", 11.5,
          progressiva_o_metri(static_cast<std::int64_t>(s.start_m), d.chainage) + " to " +
              progressiva_o_metri(static_cast<std::int64_t>(s.end_m), d.chainage),
          10},
         "#e65100",
         "slowdown-label"});
  }
  for (const drawn_signal& s : d.signals) {
    if (!in_range(s.at_m)) continue;
    second_side.push_back(
        {screen_at(s.at_m),
         {"signal " + progressiva_o_metri(static_cast<std::int64_t>(s.at_m), d.chainage), 10, "",
          0},
         "#b71c1c",
         "signal-label"});
  }
  std::vector<std::string> omitted;
  const auto note_omitted = [&](bool drawn, const std::string& what) {
    if (!drawn) omitted.push_back(what);
  };
  if (tall) {
    double widest = 0;
    for (const callout& c : second_side) widest = std::max(widest, c.text.width());
    if (top_left.x - 60 - widest > margin + 330) draw_scenario_box(out, d);
    note_omitted(draw_callouts(out, first_side, true, bottom_right.x + 60, 1, plan_top + 14,
                               plan_bottom - 14),
                 "stations and slowdowns");
    note_omitted(
        draw_callouts(out, second_side, true, top_left.x - 60, -1, plan_top + 14, plan_bottom - 14),
        "signals");
  } else {
    note_omitted(draw_callouts(out, first_side, false, top_left.y - 34, -1, margin + 250,
                               page_w - margin - 10),
                 "stations and slowdowns");
    note_omitted(draw_callouts(out, second_side, false, bottom_right.y + 34, 1, margin + 10,
                               page_w - margin - 10),
                 "signals");
  }
  for (std::size_t i = 0; i < omitted.size(); ++i) {
    out.text(page_w - margin - 14, plan_bottom - 14 - 16 * static_cast<double>(i),
             "too many " + omitted[i] + " to label here: see route_tool dump",
             "font-size=\"11\" fill=\"#b71c1c\" text-anchor=\"end\"");
  }

  // Markers on top of everything: boards, then signals and stations.
  for (const drawn_indication_board& b : d.indication_boards) {
    if (!in_range(b.at_m)) continue;
    const point q = screen_at(b.at_m);
    out.add("<rect class=\"indication-board-marker\" x=\"" + f1(q.x - 2.5) + "\" y=\"" +
            f1(q.y - 2.5) + "\" width=\"5\" height=\"5\" fill=\"" +
            std::string(colour_of("indication-board")) + "\"><title>" + xml_text(b.text) + ", " +
            xml_text(metri_e_progressiva(static_cast<std::int64_t>(b.at_m), d.chainage)) +
            "</title></rect>");
  }
  for (const drawn_speed_board& b : d.speed_boards) {
    if (!in_range(b.at_m)) continue;
    const point q = screen_at(b.at_m);
    out.add("<rect class=\"speed-board-marker\" x=\"" + f1(q.x - 3.5) + "\" y=\"" + f1(q.y - 3.5) +
            "\" width=\"7\" height=\"7\" fill=\"" + std::string(colour_of("speed-board")) +
            "\" stroke=\"#ffffff\" stroke-width=\"1\"><title>speed board " + xml_text(b.label()) +
            " km/h, " +
            xml_text(metri_e_progressiva(static_cast<std::int64_t>(b.at_m), d.chainage)) +
            "</title></rect>");
  }
  for (const drawn_station& s : d.stations) {
    if (!in_range(s.axis_m)) continue;
    const point q = screen_at(s.axis_m);
    out.add("<circle class=\"station-marker\" cx=\"" + f1(q.x) + "\" cy=\"" + f1(q.y) +
            "\" r=\"5.5\" fill=\"#ffffff\" stroke=\"" + std::string(colour_of("station")) +
            "\" stroke-width=\"2.4\"><title>" + xml_text(s.name) + ", " +
            xml_text(metri_e_progressiva(s.axis_m, d.chainage)) + "</title></circle>");
  }
  for (const drawn_signal& s : d.signals) {
    if (!in_range(s.at_m)) continue;
    const point q = screen_at(s.at_m);
    out.add("<path class=\"signal-marker\" d=\"M" + f1(q.x) + "," + f1(q.y - 4.5) + " L" +
            f1(q.x + 4.5) + "," + f1(q.y) + " L" + f1(q.x) + "," + f1(q.y + 4.5) + " L" +
            f1(q.x - 4.5) + "," + f1(q.y) + " Z\" fill=\"" + std::string(colour_of("signal")) +
            "\" stroke=\"#ffffff\" stroke-width=\"1\"><title>signal at " +
            xml_text(metri_e_progressiva(static_cast<std::int64_t>(s.at_m), d.chainage)) +
            "</title></path>");
  }

  // North arrow and scale bar in the top left corner, under the heading.
  const double nx = margin + 30, ny = plan_top + 38;
  out.add("<path d=\"M" + f1(nx) + "," + f1(ny) + " L" + f1(nx + 7) + "," + f1(ny + 22) + " L" +
          f1(nx) + "," + f1(ny + 17) + " L" + f1(nx - 7) + "," + f1(ny + 22) +
          " Z\" fill=\"#333333\"/>");
  out.text(nx, ny + 36, "N",
           "font-size=\"12\" font-weight=\"bold\" text-anchor=\"middle\" fill=\"#333333\"");
  const double nice[] = {100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000};
  double bar = nice[0];
  for (const double n : nice) {
    if (n * v.scale <= 160) bar = n;
  }
  const double bx = margin + 60, by = plan_top + 62;
  out.rect(bx, by - 4, bar * v.scale / 2, 6, "fill=\"#333333\"");
  out.rect(bx + bar * v.scale / 2, by - 4, bar * v.scale / 2, 6,
           "fill=\"#ffffff\" stroke=\"#333333\"");
  out.text(bx, by - 9, "0", "font-size=\"10\" fill=\"#333333\" text-anchor=\"middle\"");
  out.text(bx + bar * v.scale, by - 9,
           bar >= 1000 ? std::to_string(static_cast<int>(bar / 1000)) + " km"
                       : std::to_string(static_cast<int>(bar)) + " m",
           "font-size=\"10\" fill=\"#333333\" text-anchor=\"middle\"");
  out.text(bx, by + 16, "north up, equal scales", "font-size=\"10\" fill=\"#777777\"");
}

// The legend of the plan, one row under the page heading.
void draw_plan_legend(svg& out) {
  double x = margin;
  const double y = legend_y;
  const auto item = [&](const std::string& sample, const std::string& text) {
    out.add(sample);
    out.text(x + 34, y + 4, text, "font-size=\"11.5\" fill=\"#333333\"");
    x += 50 + text_width(text, 11.5);
  };
  const auto sample_line = [&](std::string_view colour, const std::string& attrs) {
    return "<line x1=\"" + f1(x) + "\" y1=\"" + f1(y) + "\" x2=\"" + f1(x + 26) + "\" y2=\"" +
           f1(y) + "\" stroke=\"" + std::string(colour) + "\" " + attrs + "/>";
  };
  const auto sample_box = [&](std::string_view colour, double size) {
    return "<rect x=\"" + f1(x + 13 - size / 2) + "\" y=\"" + f1(y - size / 2) + "\" width=\"" +
           f1(size) + "\" height=\"" + f1(size) + "\" fill=\"" + std::string(colour) + "\"/>";
  };
  item(sample_line(colour_of("track"), "stroke-width=\"2.2\""), "track");
  item(sample_line(colour_of("past-end"), "stroke-width=\"1.6\" stroke-dasharray=\"5 4\""),
       "past the end");
  item(sample_line(colour_of("tunnel"), "stroke-width=\"8\" stroke-opacity=\"0.55\""), "tunnel");
  item(sample_line(colour_of("station"), "stroke-width=\"8\" stroke-opacity=\"0.3\"") +
           "<circle cx=\"" + f1(x + 13) + "\" cy=\"" + f1(y) +
           "\" r=\"5.5\" fill=\"#ffffff\" stroke=\"" + std::string(colour_of("station")) +
           "\" stroke-width=\"2.4\"/>",
       "station");
  item("<path d=\"M" + f1(x + 13) + "," + f1(y - 4.5) +
           " l4.5,4.5 l-4.5,4.5 l-4.5,-4.5 Z\" fill=\"" + std::string(colour_of("signal")) + "\"/>",
       "signal");
  item(sample_line(colour_of("slowdown"), "stroke-width=\"8\" stroke-opacity=\"0.8\""), "slowdown");
  item(sample_box(colour_of("speed-board"), 7), "speed board");
  item(sample_box(colour_of("indication-board"), 5), "indication board");
}

}  // namespace scenario
