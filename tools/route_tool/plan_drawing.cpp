#include "tools/route_tool/plan_drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "tools/route_tool/label_spread.h"
#include "tools/route_tool/plot_layout.h"
#include "tools/route_tool/text_format.h"

namespace scenario {

using namespace plot_layout;

namespace {

// Plan geometry of the line in metres, one point per metre where the line
// data file holds a value.
struct plan {
  std::vector<std::optional<point>> metres;
  std::size_t last = 0;  // last point with a value

  std::optional<point> at(double m) const {
    if (metres.empty()) return std::nullopt;
    const auto k = static_cast<std::size_t>(std::clamp(m, 0.0, static_cast<double>(last)));
    for (std::size_t i = k + 1; i-- > 0;) {
      if (metres[i]) return metres[i];
    }
    return std::nullopt;
  }
};

plan read_plan(const compiled_route& r) {
  plan p;
  const std::size_t n = std::min(r.tracciato.x.size(), r.tracciato.y.size());
  p.metres.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    const auto x = valore(r.tracciato.x[k]);
    const auto y = valore(r.tracciato.y[k]);
    if (x && y && std::isfinite(*x) && std::isfinite(*y)) {
      p.metres[k] = point{*x, *y};
      p.last = k;
    }
  }
  return p;
}

// Metres of the plan to screen pixels: equal scale on both axes, north up.
struct plan_view {
  double scale = 1, x_min = 0, y_min = 0, ox = 0, oy = 0;
  point to_screen(point m) const {
    return {ox + (m.x - x_min) * scale, oy - (m.y - y_min) * scale};
  }
};

// The stretch of the plan between two positions, as screen points, one
// every `step` metres.
std::vector<point> stretch(const plan& p, const plan_view& v, double from, double to, double step) {
  std::vector<point> pts;
  from = std::max(0.0, from);
  to = std::min(static_cast<double>(p.last), to);
  for (double m = from; m < to; m += step) {
    if (const auto q = p.at(m)) pts.push_back(v.to_screen(*q));
  }
  if (const auto q = p.at(to); q && to >= from) pts.push_back(v.to_screen(*q));
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

// The header records in words, in the plan's lower left corner.
void draw_scenario_box(svg& out, const compiled_route& r) {
  const elemento& e84 = r.elementi[voce::treno_e_linea];
  const elemento& e85 = r.elementi[voce::testata_linea];
  const elemento& e86 = r.elementi[voce::testata_corsa];
  std::vector<std::string> rows;
  rows.push_back(plural(static_cast<std::size_t>(std::max(0, e84.posizione)), "car", "cars") +
                 ", braked mass " + std::to_string(e84.inizio) + " %");
  rows.push_back(
      "clock at the start " +
      hh_mm_ss(static_cast<std::int64_t>(e86.dato_i3) * 3600 + e86.dato_i4 * 60 + e86.dato_i5) +
      ", sanding " + std::to_string(e86.dato_i1));
  if (e86.posizione != 0) {
    rows.push_back("coded signal zone " + km(e86.inizio) + " to " + km(e86.fine) + ", " +
                   std::to_string(e86.posizione) + " codes");
  } else {
    rows.push_back("no coded signal zone");
  }
  for (const int k : {voce::progressiva_uno, voce::progressiva_due, voce::progressiva_tre}) {
    const elemento& e = r.elementi[static_cast<std::size_t>(k)];
    if (e.posizione != 1) continue;
    rows.push_back("kilometric series from " + std::to_string(e.inizio) + " m: " + km(e.fine) +
                   " at 0 m");
  }
  rows.push_back("backgrounds " + std::to_string(e85.inizio) + " / " +
                 std::to_string(e85.posizione) + " / " + std::to_string(e85.fine) +
                 "; competition codes " + std::to_string(e85.orario) + ", " +
                 std::to_string(r.celle.size() > 1 ? r.celle[1].dato2 : 0));
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

void draw_plan(svg& out, const compiled_route& r, const plot_objects& objects) {
  const plan p = read_plan(r);
  const auto& stations = objects.stations;
  const auto& signals = objects.signals;
  const auto& slowdowns = objects.slowdowns;
  const auto& tunnels = objects.tunnels;
  out.add("<clipPath id=\"plan-clip\"><rect x=\"" + f1(margin) + "\" y=\"" + f1(plan_top) +
          "\" width=\"" + f1(page_w - 2 * margin) + "\" height=\"" + f1(plan_bottom - plan_top) +
          "\"/></clipPath>");
  out.rect(margin, plan_top, page_w - 2 * margin, plan_bottom - plan_top,
           "fill=\"#fbfaf6\" stroke=\"#c8c4b8\"");
  out.text(margin + 14, plan_top + 24, "Track plan",
           "font-size=\"15\" font-weight=\"bold\" fill=\"#333333\"");

  const double line_end =
      std::clamp(static_cast<double>(r.lunghezza_percorso()), 1.0, static_cast<double>(p.last));
  // Bounds of the line itself; the 7 km beyond its end are drawn but clipped.
  double x_min = 1e300, x_max = -1e300, y_min = 1e300, y_max = -1e300;
  for (std::size_t k = 0; k <= static_cast<std::size_t>(line_end) && k < p.metres.size(); ++k) {
    if (!p.metres[k]) continue;
    x_min = std::min(x_min, p.metres[k]->x);
    x_max = std::max(x_max, p.metres[k]->x);
    y_min = std::min(y_min, p.metres[k]->y);
    y_max = std::max(y_max, p.metres[k]->y);
  }
  if (x_min > x_max) {
    out.text(page_w / 2, (plan_top + plan_bottom) / 2, "no track geometry in the line data file",
             "font-size=\"14\" fill=\"#777777\" text-anchor=\"middle\"");
    return;
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

  const double step = std::max(1.0, 1.5 / v.scale);  // about 1.5 px between points
  out.add("<g clip-path=\"url(#plan-clip)\">");
  out.polyline(stretch(p, v, line_end, static_cast<double>(p.last), step),
               "stroke=\"#9e9e9e\" stroke-width=\"1.6\" stroke-dasharray=\"5 4\"");
  for (const auto& [a, b] : tunnels) {
    out.polyline(stretch(p, v, a, b, step),
                 "stroke=\"#7b5a36\" stroke-width=\"8\" stroke-opacity=\"0.55\"");
  }
  for (const station_info& s : stations) {
    out.polyline(stretch(p, v, s.inizio, s.fine, step),
                 "stroke=\"#1f4e8c\" stroke-width=\"8\" stroke-opacity=\"0.3\"");
  }
  for (const slowdown_info& s : slowdowns) {
    out.polyline(stretch(p, v, s.start, s.end, step),
                 "stroke=\"#ef6c00\" stroke-width=\"8\" stroke-opacity=\"0.8\"");
  }
  out.polyline(stretch(p, v, 0, line_end, step),
               "class=\"track\" stroke=\"#2b2b2b\" stroke-width=\"2.2\" stroke-linejoin=\"round\"");
  out.add("</g>");

  const auto screen_at = [&](double m) {
    const auto q = p.at(m);
    return q ? v.to_screen(*q) : point{};
  };
  std::vector<callout> first_side, second_side;  // stations and slowdowns; signals
  for (const station_info& s : stations) {
    first_side.push_back({screen_at(s.posizione),
                          {s.name.empty() ? "station " + std::to_string(s.slot) : s.name, 13,
                           km(s.posizione) + (s.orario != 0 ? "  " + hh_mm(s.orario) : ""), 10.5},
                          "#1f4e8c",
                          "station-label"});
  }
  for (const slowdown_info& s : slowdowns) {
    first_side.push_back(
        {screen_at((s.start + s.end) / 2),
         {"slowdown " + std::to_string(s.speed) + " km/h", 11.5,
          km(static_cast<std::int64_t>(s.start)) + " to " + km(static_cast<std::int64_t>(s.end)),
          10},
         "#e65100",
         "slowdown-label"});
  }
  for (const double m : signals) {
    second_side.push_back({screen_at(m),
                           {"signal " + km(static_cast<std::int64_t>(m)), 10, "", 0},
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
    if (top_left.x - 60 - widest > margin + 330) draw_scenario_box(out, r);
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

  // Markers on top of everything.
  for (const station_info& s : stations) {
    const point q = screen_at(s.posizione);
    out.add("<circle class=\"station-marker\" cx=\"" + f1(q.x) + "\" cy=\"" + f1(q.y) +
            "\" r=\"5.5\" fill=\"#ffffff\" stroke=\"#1f4e8c\" stroke-width=\"2.4\"><title>" +
            xml_text(s.name) + ", " + xml_text(metri_e_km(s.posizione)) + "</title></circle>");
  }
  for (const double m : signals) {
    const point q = screen_at(m);
    out.add("<path class=\"signal-marker\" d=\"M" + f1(q.x) + "," + f1(q.y - 4.5) + " L" +
            f1(q.x + 4.5) + "," + f1(q.y) + " L" + f1(q.x) + "," + f1(q.y + 4.5) + " L" +
            f1(q.x - 4.5) + "," + f1(q.y) +
            " Z\" fill=\"#c62828\" stroke=\"#ffffff\" stroke-width=\"1\"><title>signal at " +
            xml_text(metri_e_km(static_cast<std::int64_t>(m))) + "</title></path>");
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

// The legend of the plan, one row in the page heading.
void draw_plan_legend(svg& out) {
  double x = page_w - margin - 720;
  const double y = 66;
  const auto item = [&](const std::string& sample, const std::string& text) {
    out.add(sample);
    out.text(x + 34, y + 4, text, "font-size=\"11.5\" fill=\"#333333\"");
    x += 50 + text_width(text, 11.5);
  };
  const auto sample_line = [&](const std::string& attrs) {
    return "<line x1=\"" + f1(x) + "\" y1=\"" + f1(y) + "\" x2=\"" + f1(x + 26) + "\" y2=\"" +
           f1(y) + "\" " + attrs + "/>";
  };
  item(sample_line("stroke=\"#2b2b2b\" stroke-width=\"2.2\""), "track");
  item(sample_line("stroke=\"#9e9e9e\" stroke-width=\"1.6\" stroke-dasharray=\"5 4\""),
       "past the end");
  item(sample_line("stroke=\"#7b5a36\" stroke-width=\"8\" stroke-opacity=\"0.55\""), "tunnel");
  item(sample_line("stroke=\"#1f4e8c\" stroke-width=\"8\" stroke-opacity=\"0.3\"") +
           "<circle cx=\"" + f1(x + 13) + "\" cy=\"" + f1(y) +
           "\" r=\"5.5\" fill=\"#ffffff\" stroke=\"#1f4e8c\" stroke-width=\"2.4\"/>",
       "station");
  item("<path d=\"M" + f1(x + 13) + "," + f1(y - 4.5) +
           " l4.5,4.5 l-4.5,4.5 l-4.5,-4.5 Z\" fill=\"#c62828\"/>",
       "signal");
  item(sample_line("stroke=\"#ef6c00\" stroke-width=\"8\" stroke-opacity=\"0.8\""), "slowdown");
}

}  // namespace scenario
