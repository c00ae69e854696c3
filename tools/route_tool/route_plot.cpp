#include "tools/route_tool/route_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/cp1252.h"
#include "tools/route_tool/label_layout.h"
#include "tools/route_tool/route_contents.h"
#include "tools/route_tool/text_format.h"

namespace scenario {

std::string xml_text(const std::string& utf8) {
  std::string out;
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += (c < 0x20 && c != '\t' && c != '\n' && c != '\r') ? '?' : ch;
    }
  }
  return out;
}

namespace {

// Page layout, pixels.
constexpr double page_w = 1600;
constexpr double page_h = 1160;
constexpr double margin = 40;
constexpr double plan_top = 96, plan_bottom = 700;
constexpr double names_top = 722;  // station names above the speed strip
constexpr double speed_top = 790, speed_bottom = 920;
constexpr double grade_top = 950, grade_bottom = 1060;
constexpr double axis_y = 1060;
constexpr double profile_left = 110, profile_right = page_w - margin;

// Text width estimate for a sans-serif face: about 0.6 em a character.
double text_width(const std::string& utf8, double size) {
  std::size_t chars = 0;
  for (const char ch : utf8) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return static_cast<double>(chars) * size * 0.6;
}

std::string f1(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

struct point {
  double x = 0, y = 0;
};

class svg {
 public:
  void add(const std::string& s) { body_ += s + "\n"; }
  void text(double x, double y, const std::string& t, const std::string& attrs) {
    add("<text x=\"" + f1(x) + "\" y=\"" + f1(y) + "\" " + attrs + ">" + xml_text(t) + "</text>");
  }
  void line(double x0, double y0, double x1, double y1, const std::string& attrs) {
    add("<line x1=\"" + f1(x0) + "\" y1=\"" + f1(y0) + "\" x2=\"" + f1(x1) + "\" y2=\"" + f1(y1) +
        "\" " + attrs + "/>");
  }
  void rect(double x, double y, double w, double h, const std::string& attrs) {
    add("<rect x=\"" + f1(x) + "\" y=\"" + f1(y) + "\" width=\"" + f1(std::max(0.0, w)) +
        "\" height=\"" + f1(std::max(0.0, h)) + "\" " + attrs + "/>");
  }
  void polyline(const std::vector<point>& pts, const std::string& attrs) {
    if (pts.size() < 2) return;
    std::string s = "<polyline fill=\"none\" points=\"";
    for (const point& p : pts) s += f1(p.x) + "," + f1(p.y) + " ";
    s.pop_back();
    add(s + "\" " + attrs + "/>");
  }
  const std::string& body() const { return body_; }

 private:
  std::string body_;
};

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

struct station_info {
  int slot = 0;
  std::string name;
  std::int32_t posizione = 0, inizio = 0, fine = 0, orario = 0;
};

struct slowdown_info {
  double start = 0, end = 0;  // metres
  int speed = 0;
};

std::vector<station_info> stations_of(const compiled_route& r) {
  std::vector<station_info> s;
  for (const int k : trova_slot(r).stazioni) {
    const elemento& e = r.elementi[static_cast<std::size_t>(k)];
    s.push_back({k, cp1252_to_utf8(e.nome), e.posizione, e.inizio, e.fine, e.orario});
  }
  return s;
}

// A signal, a board or a slowdown at p metres stands in cell p / 50 + 1.
double metres_of_object_cell(std::size_t k) {
  return (static_cast<double>(k) - 1.0) * 50.0;
}

std::vector<double> signals_of(const compiled_route& r) {
  std::vector<double> s;
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    if (r.celle[k].tipo == tipo_cella::segnale) s.push_back(metres_of_object_cell(k));
  }
  return s;
}

std::vector<slowdown_info> slowdowns_of(const compiled_route& r) {
  std::vector<slowdown_info> s;
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    if (r.celle[k].tipo != tipo_cella::inizio_rallentamento) continue;
    std::size_t e = k + 1;
    while (e < r.celle.size() && r.celle[e].tipo != tipo_cella::fine_rallentamento) ++e;
    if (e >= r.celle.size()) e = r.celle.size() - 1;
    s.push_back({metres_of_object_cell(k), metres_of_object_cell(e), r.celle[k].dato1});
  }
  return s;
}

// Spans of cells inside a tunnel, in metres.
std::vector<std::pair<double, double>> tunnels_of(const compiled_route& r) {
  std::vector<std::pair<double, double>> t;
  for (const tratto_profilo& p : tratti_profilo(r.celle)) {
    if (p.montagna == 0) continue;
    const double a = static_cast<double>(p.prima) * 50.0;
    const double b = static_cast<double>(p.ultima + 1) * 50.0;
    if (!t.empty() && t.back().second >= a) {
      t.back().second = b;
    } else {
      t.push_back({a, b});
    }
  }
  return t;
}

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

// Unit normal of the track on screen at m metres (to the right of travel).
point normal_at(const plan& p, const plan_view& v, double m) {
  const auto a = p.at(std::max(0.0, m - 30));
  const auto b = p.at(m + 30);
  if (!a || !b) return {1, 0};
  const point sa = v.to_screen(*a), sb = v.to_screen(*b);
  const double dx = sb.x - sa.x, dy = sb.y - sa.y;
  const double len = std::hypot(dx, dy);
  if (len < 1e-9) return {1, 0};
  return {-dy / len, dx / len};
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

// Candidate boxes around a marker: both sides of the track, growing
// distances, a little slide along the track.
std::vector<box> candidates_for(point m, point normal, const label_text& t, bool right_first) {
  std::vector<box> c;
  const double w = t.width(), h = t.height();
  const point tangent{normal.y, -normal.x};
  const double distances[] = {10, 22, 38, 58, 82, 110, 145, 185};
  const double slides[] = {0, -18, 18, -36, 36};
  for (const double d : distances) {
    for (const int side : {right_first ? 1 : -1, right_first ? -1 : 1}) {
      for (const double s : slides) {
        const double ax = m.x + normal.x * side * d + tangent.x * s;
        const double ay = m.y + normal.y * side * d + tangent.y * s;
        const double nx = normal.x * side, ny = normal.y * side;
        double x0 = ax - w / 2, y0 = ay - h / 2;
        if (nx > 0.38) x0 = ax;
        if (nx < -0.38) x0 = ax - w;
        if (ny > 0.38) y0 = ay;
        if (ny < -0.38) y0 = ay - h;
        c.push_back({x0, y0, x0 + w, y0 + h});
      }
    }
  }
  return c;
}

void draw_label(svg& out, const box& b, const label_text& t, const std::string& colour,
                const std::string& cls) {
  // A white halo keeps the text readable where it crosses the track.
  const std::string halo = " stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"";
  out.text(b.x0, b.y0 + t.first_size * 0.85, t.first,
           "class=\"" + cls + "\" font-size=\"" + f1(t.first_size) +
               "\" font-weight=\"bold\" fill=\"" + colour + "\"" + halo);
  if (!t.second.empty()) {
    out.text(b.x0, b.y0 + t.first_size + 2 + t.second_size * 0.85, t.second,
             "font-size=\"" + f1(t.second_size) + "\" fill=\"#555555\"" + halo);
  }
}

void leader(svg& out, point m, const box& b) {
  const double cx = std::clamp(m.x, b.x0, b.x1), cy = std::clamp(m.y, b.y0, b.y1);
  if (std::hypot(cx - m.x, cy - m.y) > 12) {
    out.line(m.x, m.y, cx, cy, "stroke=\"#8a8a8a\" stroke-width=\"0.8\"");
  }
}

std::string hh_mm(std::int32_t s) {
  return hh_mm_ss(s).substr(0, 5);
}

void draw_plan(svg& out, const compiled_route& r, const plan& p,
               const std::vector<station_info>& stations, const std::vector<double>& signals,
               const std::vector<slowdown_info>& slowdowns,
               const std::vector<std::pair<double, double>>& tunnels) {
  const double line_end =
      std::clamp(static_cast<double>(r.lunghezza_percorso()), 1.0, static_cast<double>(p.last));
  // Bounds of the line itself (the 7 km tail beyond the end is clipped).
  double x_min = 1e300, x_max = -1e300, y_min = 1e300, y_max = -1e300;
  for (std::size_t k = 0; k <= static_cast<std::size_t>(line_end) && k < p.metres.size(); ++k) {
    if (!p.metres[k]) continue;
    x_min = std::min(x_min, p.metres[k]->x);
    x_max = std::max(x_max, p.metres[k]->x);
    y_min = std::min(y_min, p.metres[k]->y);
    y_max = std::max(y_max, p.metres[k]->y);
  }
  if (x_min > x_max) return;
  const double pad_x = 170, pad_y = 60;
  const double avail_w = page_w - 2 * margin - 2 * pad_x;
  const double avail_h = plan_bottom - plan_top - 2 * pad_y;
  const double span_x = std::max(x_max - x_min, 1.0), span_y = std::max(y_max - y_min, 1.0);
  plan_view v;
  v.scale = std::min(avail_w / span_x, avail_h / span_y);
  v.x_min = x_min;
  v.y_min = y_min;
  v.ox = margin + pad_x + (avail_w - span_x * v.scale) / 2;
  v.oy = plan_bottom - pad_y - (avail_h - span_y * v.scale) / 2;

  out.add("<clipPath id=\"plan-clip\"><rect x=\"" + f1(margin) + "\" y=\"" + f1(plan_top) +
          "\" width=\"" + f1(page_w - 2 * margin) + "\" height=\"" + f1(plan_bottom - plan_top) +
          "\"/></clipPath>");
  out.rect(margin, plan_top, page_w - 2 * margin, plan_bottom - plan_top,
           "fill=\"#fbfaf6\" stroke=\"#c8c4b8\"");
  out.text(margin + 12, plan_top + 22, "Track plan",
           "font-size=\"15\" font-weight=\"bold\" fill=\"#333333\"");

  const double step = std::max(1.0, 1.5 / v.scale);  // about 1.5 px between points
  const std::vector<point> line = stretch(p, v, 0, line_end, step);
  const std::vector<point> tail = stretch(p, v, line_end, static_cast<double>(p.last), step);

  out.add("<g clip-path=\"url(#plan-clip)\">");
  out.polyline(tail, "stroke=\"#9e9e9e\" stroke-width=\"1.6\" stroke-dasharray=\"5 4\"");
  for (const auto& [a, b] : tunnels) {
    out.polyline(stretch(p, v, a, b, step),
                 "stroke=\"#7b5a36\" stroke-width=\"7\" stroke-opacity=\"0.55\"");
  }
  for (const station_info& s : stations) {
    out.polyline(stretch(p, v, s.inizio, s.fine, step),
                 "stroke=\"#1f4e8c\" stroke-width=\"7\" stroke-opacity=\"0.3\"");
  }
  for (const slowdown_info& s : slowdowns) {
    out.polyline(stretch(p, v, s.start, s.end, step),
                 "stroke=\"#ef6c00\" stroke-width=\"7\" stroke-opacity=\"0.75\"");
  }
  out.polyline(line,
               "class=\"track\" stroke=\"#2b2b2b\" stroke-width=\"2.2\" stroke-linejoin=\"round\"");
  out.add("</g>");

  // Labels: stations first, then slowdowns, then signals, each avoiding
  // what is already there.
  label_layout layout({margin + 4, plan_top + 30, page_w - margin - 4, plan_bottom - 4});
  for (const point& q : line) layout.add_point(q.x, q.y);
  std::vector<point> station_pts, signal_pts;
  for (const station_info& s : stations) {
    const auto q = p.at(s.posizione);
    station_pts.push_back(q ? v.to_screen(*q) : point{});
    layout.add_obstacle({station_pts.back().x - 7, station_pts.back().y - 7,
                         station_pts.back().x + 7, station_pts.back().y + 7});
  }
  for (const double m : signals) {
    const auto q = p.at(m);
    signal_pts.push_back(q ? v.to_screen(*q) : point{});
    layout.add_obstacle({signal_pts.back().x - 5, signal_pts.back().y - 5, signal_pts.back().x + 5,
                         signal_pts.back().y + 5});
  }
  // Legend and scale bar are obstacles too.
  const box legend_box{page_w - margin - 230, plan_top + 10, page_w - margin - 10, plan_top + 170};
  layout.add_obstacle(legend_box);
  const box scale_box{margin + 10, plan_bottom - 50, margin + 260, plan_bottom - 8};
  layout.add_obstacle(scale_box);

  std::string labels;
  svg label_svg;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const station_info& s = stations[i];
    label_text t{s.name.empty() ? "station " + std::to_string(s.slot) : s.name, 13,
                 km(s.posizione) + (s.orario != 0 ? "  " + hh_mm(s.orario) : ""), 10.5};
    const auto c = candidates_for(station_pts[i], normal_at(p, v, s.posizione), t, i % 2 == 0);
    const box b = c[layout.place(c)];
    leader(label_svg, station_pts[i], b);
    draw_label(label_svg, b, t, "#1f4e8c", "station-label");
  }
  for (std::size_t i = 0; i < slowdowns.size(); ++i) {
    const slowdown_info& s = slowdowns[i];
    const auto q = p.at((s.start + s.end) / 2);
    if (!q) continue;
    const point m = v.to_screen(*q);
    label_text t{
        "slowdown " + std::to_string(s.speed) + " km/h", 11,
        km(static_cast<std::int64_t>(s.start)) + " - " + km(static_cast<std::int64_t>(s.end)), 9.5};
    const auto c = candidates_for(m, normal_at(p, v, (s.start + s.end) / 2), t, true);
    const box b = c[layout.place(c)];
    leader(label_svg, m, b);
    draw_label(label_svg, b, t, "#e65100", "slowdown-label");
  }
  for (std::size_t i = 0; i < signals.size(); ++i) {
    label_text t{km(static_cast<std::int64_t>(signals[i])), 9.5, "", 0};
    const auto c = candidates_for(signal_pts[i], normal_at(p, v, signals[i]), t, i % 2 != 0);
    const box b = c[layout.place(c)];
    leader(label_svg, signal_pts[i], b);
    draw_label(label_svg, b, t, "#b71c1c", "signal-label");
  }
  out.add(label_svg.body());

  // Markers on top of everything.
  for (std::size_t i = 0; i < stations.size(); ++i) {
    out.add("<circle class=\"station-marker\" cx=\"" + f1(station_pts[i].x) + "\" cy=\"" +
            f1(station_pts[i].y) +
            "\" r=\"5.5\" fill=\"#ffffff\" stroke=\"#1f4e8c\" "
            "stroke-width=\"2.4\"><title>" +
            xml_text(stations[i].name) + ", " + xml_text(metri_e_km(stations[i].posizione)) +
            "</title></circle>");
  }
  for (std::size_t i = 0; i < signals.size(); ++i) {
    const point q = signal_pts[i];
    out.add("<path class=\"signal-marker\" d=\"M" + f1(q.x) + "," + f1(q.y - 4.5) + " L" +
            f1(q.x + 4.5) + "," + f1(q.y) + " L" + f1(q.x) + "," + f1(q.y + 4.5) + " L" +
            f1(q.x - 4.5) + "," + f1(q.y) +
            " Z\" fill=\"#c62828\" stroke=\"#ffffff\" "
            "stroke-width=\"1\"><title>signal at " +
            xml_text(metri_e_km(static_cast<std::int64_t>(signals[i]))) + "</title></path>");
  }

  // Scale bar: a round length near 150 px.
  const double nice[] = {100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000};
  double bar = nice[0];
  for (const double n : nice) {
    if (n * v.scale <= 180) bar = n;
  }
  const double bx = scale_box.x0 + 10, by = scale_box.y1 - 14;
  out.rect(bx, by - 4, bar * v.scale / 2, 6, "fill=\"#333333\"");
  out.rect(bx + bar * v.scale / 2, by - 4, bar * v.scale / 2, 6,
           "fill=\"#ffffff\" stroke=\"#333333\"");
  out.text(bx, by - 9, "0", "font-size=\"10\" fill=\"#333333\"");
  out.text(bx + bar * v.scale, by - 9,
           bar >= 1000 ? std::to_string(static_cast<int>(bar / 1000)) + " km"
                       : std::to_string(static_cast<int>(bar)) + " m",
           "font-size=\"10\" fill=\"#333333\" text-anchor=\"middle\"");

  // North arrow, inside the legend box's left.
  const double nx = legend_box.x0 - 30, ny = plan_top + 30;
  out.add("<path d=\"M" + f1(nx) + "," + f1(ny) + " L" + f1(nx + 8) + "," + f1(ny + 26) + " L" +
          f1(nx) + "," + f1(ny + 20) + " L" + f1(nx - 8) + "," + f1(ny + 26) +
          " Z\" fill=\"#333333\"/>");
  out.text(nx, ny + 42, "N",
           "font-size=\"13\" font-weight=\"bold\" text-anchor=\"middle\" fill=\"#333333\"");

  // Legend.
  const double lx = legend_box.x0, ly = legend_box.y0;
  out.rect(lx, ly, legend_box.x1 - legend_box.x0, legend_box.y1 - legend_box.y0,
           "fill=\"#ffffff\" fill-opacity=\"0.92\" stroke=\"#c8c4b8\"");
  double row = ly + 20;
  const auto legend_row = [&](const std::string& sample, const std::string& text) {
    out.add(sample);
    out.text(lx + 52, row + 4, text, "font-size=\"11\" fill=\"#333333\"");
    row += 21;
  };
  const auto sample_line = [&](const std::string& attrs) {
    return "<line x1=\"" + f1(lx + 12) + "\" y1=\"" + f1(row) + "\" x2=\"" + f1(lx + 42) +
           "\" y2=\"" + f1(row) + "\" " + attrs + "/>";
  };
  legend_row(sample_line("stroke=\"#2b2b2b\" stroke-width=\"2.2\""), "track");
  legend_row(sample_line("stroke=\"#9e9e9e\" stroke-width=\"1.6\" stroke-dasharray=\"5 4\""),
             "beyond the line's end");
  legend_row(sample_line("stroke=\"#7b5a36\" stroke-width=\"7\" stroke-opacity=\"0.55\""),
             "tunnel");
  legend_row(sample_line("stroke=\"#1f4e8c\" stroke-width=\"7\" stroke-opacity=\"0.3\"") +
                 "<circle cx=\"" + f1(lx + 27) + "\" cy=\"" + f1(row) +
                 "\" r=\"5.5\" fill=\"#ffffff\" stroke=\"#1f4e8c\" stroke-width=\"2.4\"/>",
             "station (area and axis)");
  legend_row("<path d=\"M" + f1(lx + 27) + "," + f1(row - 4.5) +
                 " l4.5,4.5 l-4.5,4.5 l-4.5,-4.5 Z\" "
                 "fill=\"#c62828\"/>",
             "signal");
  legend_row(sample_line("stroke=\"#ef6c00\" stroke-width=\"7\" stroke-opacity=\"0.75\""),
             "slowdown");
  out.text(lx + 12, row + 2, "north up, equal scales", "font-size=\"10\" fill=\"#777777\"");
}

// Profile x axis: metres along the line to pixels.
struct profile_axis {
  double length = 1;
  double x(double m) const {
    return profile_left + std::clamp(m, 0.0, length) / length * (profile_right - profile_left);
  }
};

void draw_profile(svg& out, const compiled_route& r, const std::vector<station_info>& stations,
                  const std::vector<double>& signals, const std::vector<slowdown_info>& slowdowns,
                  const std::vector<std::pair<double, double>>& tunnels) {
  const double length = std::max(50.0, static_cast<double>(r.lunghezza_percorso()));
  const profile_axis ax{length};
  const std::size_t cells = std::min(r.celle.size(), static_cast<std::size_t>(length / 50.0));

  out.text(margin, names_top - 4, "Profile along the line",
           "font-size=\"15\" font-weight=\"bold\" fill=\"#333333\"");

  // Speed strip.
  int v_max = 0;
  for (std::size_t k = 0; k < cells; ++k) v_max = std::max(v_max, r.celle[k].velocita * 5);
  const double v_top = std::max(50, (v_max + 19) / 20 * 20 + 20);
  const auto vy = [&](double v) {
    return speed_bottom - std::clamp(v, 0.0, v_top) / v_top * (speed_bottom - speed_top);
  };
  out.rect(profile_left, speed_top, profile_right - profile_left, speed_bottom - speed_top,
           "fill=\"#f7f9fc\" stroke=\"#c8c4b8\"");
  for (double v = 0; v <= v_top; v += 20) {
    out.line(profile_left, vy(v), profile_right, vy(v), "stroke=\"#e1e5ea\" stroke-width=\"1\"");
    out.text(profile_left - 6, vy(v) + 4, std::to_string(static_cast<int>(v)),
             "font-size=\"10\" fill=\"#555555\" text-anchor=\"end\"");
  }
  out.text(margin, (speed_top + speed_bottom) / 2 - 6, "speed",
           "font-size=\"12\" font-weight=\"bold\" fill=\"#1565c0\"");
  out.text(margin, (speed_top + speed_bottom) / 2 + 9, "km/h", "font-size=\"10\" fill=\"#555555\"");

  // The coded signal repetition zone as a band at the top of the strip.
  const elemento& e86 = r.elementi[voce::testata_corsa];
  if (e86.fine > e86.inizio && e86.posizione != 0) {
    out.rect(ax.x(e86.inizio), speed_top + 1, ax.x(e86.fine) - ax.x(e86.inizio), 12,
             "fill=\"#b3e5fc\"");
    out.text((ax.x(e86.inizio) + ax.x(e86.fine)) / 2, speed_top + 11,
             "coded zone, " + std::to_string(e86.posizione) + " codes",
             "font-size=\"9\" fill=\"#01579b\" text-anchor=\"middle\"");
  }

  out.add(
      "<pattern id=\"slow-hatch\" width=\"6\" height=\"6\" patternUnits=\"userSpaceOnUse\" "
      "patternTransform=\"rotate(45)\"><rect width=\"6\" height=\"6\" fill=\"#ffe0b2\"/>"
      "<line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"6\" stroke=\"#ef6c00\" "
      "stroke-width=\"2\"/></pattern>");
  for (const slowdown_info& s : slowdowns) {
    // From the slowdown's speed up to the limit, hatched.
    double limit = 0;
    for (std::size_t k = static_cast<std::size_t>(std::max(0.0, s.start / 50));
         k < cells && k * 50.0 < s.end; ++k) {
      limit = std::max(limit, r.celle[k].velocita * 5.0);
    }
    const double x0 = ax.x(s.start), x1 = std::max(ax.x(s.end), x0 + 3);
    out.rect(x0, vy(std::max(limit, static_cast<double>(s.speed))), x1 - x0,
             vy(s.speed) - vy(std::max(limit, static_cast<double>(s.speed))),
             "fill=\"url(#slow-hatch)\"");
    out.line(x0, vy(s.speed), x1, vy(s.speed), "stroke=\"#e65100\" stroke-width=\"2.5\"");
    out.text((x0 + x1) / 2, vy(s.speed) + 13, std::to_string(s.speed) + " km/h",
             "font-size=\"10\" font-weight=\"bold\" fill=\"#e65100\" text-anchor=\"middle\" "
             "stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
  }
  std::vector<point> speed;
  for (std::size_t k = 0; k < cells; ++k) {
    const double v = r.celle[k].velocita * 5.0;
    speed.push_back({ax.x(k * 50.0), vy(v)});
    speed.push_back({ax.x((k + 1) * 50.0), vy(v)});
  }
  out.polyline(speed, "class=\"speed\" stroke=\"#1565c0\" stroke-width=\"2\"");
  // Limit values where they change.
  double last_label_x = -1e9;
  for (std::size_t k = 0; k < cells; ++k) {
    if (k > 0 && r.celle[k].velocita == r.celle[k - 1].velocita) continue;
    const double x = ax.x(k * 50.0);
    if (x - last_label_x < 34) continue;
    out.text(x + 3, vy(r.celle[k].velocita * 5.0) - 4, std::to_string(r.celle[k].velocita * 5),
             "font-size=\"10\" fill=\"#1565c0\"");
    last_label_x = x;
  }

  // Gradient strip.
  int g_max = 5;
  for (std::size_t k = 0; k < cells; ++k)
    g_max = std::max(g_max, std::abs(r.celle[k].pendenza - 100));
  const double g_top = (g_max + 9) / 10 * 10;
  const double g_mid = (grade_top + grade_bottom) / 2;
  const auto gy = [&](double g) {
    return g_mid - std::clamp(g, -g_top, g_top) / g_top * (grade_bottom - grade_top) / 2;
  };
  out.rect(profile_left, grade_top, profile_right - profile_left, grade_bottom - grade_top,
           "fill=\"#fbfaf6\" stroke=\"#c8c4b8\"");
  for (double g = -g_top; g <= g_top; g += 10) {
    out.line(profile_left, gy(g), profile_right, gy(g), "stroke=\"#ebe7dc\" stroke-width=\"1\"");
    out.text(profile_left - 6, gy(g) + 4, (g > 0 ? "+" : "") + std::to_string(static_cast<int>(g)),
             "font-size=\"10\" fill=\"#555555\" text-anchor=\"end\"");
  }
  for (const auto& [a, b] : tunnels) {
    if (a >= length) continue;
    out.rect(ax.x(a), grade_bottom - 7, ax.x(b) - ax.x(a), 7,
             "fill=\"#7b5a36\" fill-opacity=\"0.6\"");
  }
  std::size_t k = 0;
  while (k < cells) {
    std::size_t e = k;
    while (e + 1 < cells && r.celle[e + 1].pendenza == r.celle[k].pendenza) ++e;
    const int g = r.celle[k].pendenza - 100;
    if (g != 0) {
      out.rect(ax.x(k * 50.0), std::min(gy(g), g_mid), ax.x((e + 1) * 50.0) - ax.x(k * 50.0),
               std::fabs(gy(g) - g_mid),
               std::string("class=\"grade\" fill=\"") + (g > 0 ? "#c0763a" : "#43a047") +
                   "\" fill-opacity=\"0.85\"");
    }
    k = e + 1;
  }
  out.line(profile_left, g_mid, profile_right, g_mid, "stroke=\"#555555\" stroke-width=\"1\"");
  out.text(margin, g_mid - 6, "gradient", "font-size=\"12\" font-weight=\"bold\" fill=\"#6d4c41\"");
  out.text(margin, g_mid + 9, "per mille", "font-size=\"10\" fill=\"#555555\"");

  // Stations across both strips, names above in rows that avoid overlaps.
  std::vector<double> row_end(4, -1e9);
  for (const station_info& s : stations) {
    const double x = ax.x(s.posizione);
    out.line(
        x, speed_top, x, grade_bottom,
        "stroke=\"#1f4e8c\" stroke-width=\"1\" stroke-dasharray=\"3 3\" stroke-opacity=\"0.7\"");
    const double w = text_width(s.name, 11);
    std::size_t row = 0;
    while (row + 1 < row_end.size() && row_end[row] > x - w / 2 - 6) ++row;
    const double y = names_top + 16 + static_cast<double>(row) * 14;
    row_end[row] = x + w / 2;
    out.line(x, y + 3, x, speed_top,
             "stroke=\"#1f4e8c\" stroke-width=\"0.7\" stroke-opacity=\"0.5\"");
    out.text(x, y, s.name,
             "font-size=\"11\" font-weight=\"bold\" fill=\"#1f4e8c\" "
             "text-anchor=\"middle\" stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
  }

  // Kilometre axis with the signals on it.
  out.line(profile_left, axis_y, profile_right, axis_y, "stroke=\"#333333\" stroke-width=\"1.2\"");
  const double km_len = length / 1000.0;
  const int major = km_len > 40 ? 5 : km_len > 10 ? 2 : 1;
  for (int kk = 0; kk <= static_cast<int>(km_len); ++kk) {
    const double x = ax.x(kk * 1000.0);
    const bool is_major = kk % major == 0;
    out.line(x, axis_y, x, axis_y + (is_major ? 8 : 4), "stroke=\"#333333\" stroke-width=\"1\"");
    if (is_major) {
      out.text(x, axis_y + 21, std::to_string(kk),
               "font-size=\"11\" fill=\"#333333\" text-anchor=\"middle\"");
    }
  }
  out.text(profile_right, axis_y + 36, "km from the line's origin",
           "font-size=\"11\" fill=\"#555555\" text-anchor=\"end\"");
  for (const double m : signals) {
    if (m > length) continue;
    const double x = ax.x(m);
    out.add("<path class=\"signal-tick\" d=\"M" + f1(x) + "," + f1(axis_y - 1) +
            " l4,-7 l-8,0 Z\" fill=\"#c62828\"/>");
  }

  // Profile legend.
  const double ly = axis_y + 36;
  double lx = profile_left;
  const auto item = [&](const std::string& sample, const std::string& text) {
    out.add(sample);
    out.text(lx + 26, ly + 4, text, "font-size=\"11\" fill=\"#333333\"");
    lx += 40 + text_width(text, 11);
  };
  item("<line x1=\"" + f1(lx) + "\" y1=\"" + f1(ly) + "\" x2=\"" + f1(lx + 20) + "\" y2=\"" +
           f1(ly) + "\" stroke=\"#1565c0\" stroke-width=\"2\"/>",
       "speed limit");
  item("<rect x=\"" + f1(lx) + "\" y=\"" + f1(ly - 6) +
           "\" width=\"20\" height=\"12\" fill=\"url(#slow-hatch)\"/>",
       "slowdown");
  item("<rect x=\"" + f1(lx) + "\" y=\"" + f1(ly - 6) +
           "\" width=\"20\" height=\"12\" fill=\"#c0763a\"/>",
       "uphill");
  item("<rect x=\"" + f1(lx) + "\" y=\"" + f1(ly - 6) +
           "\" width=\"20\" height=\"12\" fill=\"#43a047\"/>",
       "downhill");
  item("<rect x=\"" + f1(lx) + "\" y=\"" + f1(ly - 3) +
           "\" width=\"20\" height=\"7\" fill=\"#7b5a36\" fill-opacity=\"0.6\"/>",
       "tunnel");
  item("<path d=\"M" + f1(lx + 10) + "," + f1(ly + 4) + " l4,-7 l-8,0 Z\" fill=\"#c62828\"/>",
       "signal");
  item("<rect x=\"" + f1(lx) + "\" y=\"" + f1(ly - 6) +
           "\" width=\"20\" height=\"12\" fill=\"#b3e5fc\"/>",
       "coded signal zone");
}

}  // namespace

std::string draw_route_svg(const compiled_route& r, const std::string& route,
                           const std::string& train) {
  const plan p = read_plan(r);
  const auto stations = stations_of(r);
  const auto signals = signals_of(r);
  const auto slowdowns = slowdowns_of(r);
  const auto tunnels = tunnels_of(r);

  svg body;
  body.rect(0, 0, page_w, page_h, "fill=\"#ffffff\"");
  const std::string title = (route.empty() ? std::string("(no route name)") : route) +
                            "  \u2014  train " + (train.empty() ? std::string("(none)") : train);
  body.text(margin, 46, title, "font-size=\"26\" font-weight=\"bold\" fill=\"#222222\"");
  body.text(margin, 72,
            "line " + metri_e_km(r.lunghezza_percorso()) + "  \u00b7  " +
                std::to_string(stations.size()) + " stations  \u00b7  " +
                std::to_string(signals.size()) + " signals  \u00b7  " +
                std::to_string(slowdowns.size()) + " slowdowns  \u00b7  " +
                std::to_string(tunnels.size()) + " tunnels",
            "font-size=\"14\" fill=\"#555555\"");
  draw_plan(body, r, p, stations, signals, slowdowns, tunnels);
  draw_profile(body, r, stations, signals, slowdowns, tunnels);

  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + f1(page_w) +
         "\" height=\"" + f1(page_h) + "\" viewBox=\"0 0 " + f1(page_w) + " " + f1(page_h) +
         "\" font-family=\"DejaVu Sans, Verdana, Arial, Helvetica, sans-serif\">\n";
  doc += "<title>" + xml_text(title) + "</title>\n";
  doc += body.body();
  doc += "</svg>\n";
  return doc;
}

}  // namespace scenario
