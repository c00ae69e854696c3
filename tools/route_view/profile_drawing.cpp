#include "tools/route_view/profile_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/text_format.h"
#include "compiler/route_model/misure.h"
#include "tools/route_view/plot_layout.h"
#include "tools/route_view/run_drawing.h"

namespace scenario {

using namespace plot_layout;

namespace {

std::string colour(std::string_view name) {
  return std::string(colour_of(name));
}

// The first metre of cell k, and the metre after its last.
double start_of(std::size_t k) {
  return static_cast<double>(metri_di_cella(static_cast<std::int64_t>(k)));
}
double end_of(std::size_t k) {
  return static_cast<double>(metri_di_cella(static_cast<std::int64_t>(k) + 1));
}

// A round step in metres giving at most `most` labels over `span`.
double round_step(double span, int most) {
  for (const double step : {50.0, 100.0, 200.0, 500.0, 1000.0, 2000.0, 5000.0, 10000.0, 20000.0,
                            50000.0, 100000.0, 200000.0}) {
    if (span / step <= most) return step;
  }
  return 500000.0;
}

std::string km_label(double m, double step) {
  char b[32];
  std::snprintf(b, sizeof b, step >= 1000 ? "%.0f" : step >= 100 ? "%.1f" : "%.2f", m / 1000);
  return b;
}

// Marks along one row with labels where they fit before the next mark.
struct row_mark {
  double x = 0;
  std::string label;
};
void draw_row(svg& out, std::vector<row_mark>& marks, double y, const std::string& fill,
              const std::string& shape_class, double size) {
  double free = -1e9;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const row_mark& m = marks[i];
    out.rect(m.x - size / 2, y - size / 2, size, size,
             "class=\"" + shape_class + "\" fill=\"" + fill + "\"");
    const double w = text_width(m.label, 9);
    const double next = i + 1 < marks.size() ? marks[i + 1].x - 4 : profile_right;
    if (m.x + 5 > free && m.x + 5 + w <= next) {
      out.text(m.x + 5, y + 3.5, m.label, "font-size=\"9\" fill=\"" + fill + "\"");
      free = m.x + 5 + w + 6;
    }
  }
}

}  // namespace

void draw_profile(svg& out, const route_drawing& d, const view_range& range) {
  const profile_axis ax{range.from_m, std::max(range.to_m, range.from_m + 1)};
  const double span = ax.to - ax.from;
  const auto in_view = [&](const profile_run& r) {
    return ax.shows(start_of(r.first), end_of(r.last));
  };

  out.text(margin, names_top - 4, "Profile along the line",
           "font-size=\"15\" font-weight=\"bold\" fill=\"#333333\"");

  // Speed strip, scaled to the fastest limit along the line.
  int v_max = 0;
  for (const profile_run& r : d.speed) {
    if (start_of(r.first) < d.line_length_m) v_max = std::max(v_max, r.value);
  }
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
           "font-size=\"12\" font-weight=\"bold\" fill=\"" + colour("speed") + "\"");
  out.text(margin, (speed_top + speed_bottom) / 2 + 9, "km/h", "font-size=\"10\" fill=\"#555555\"");

  // The coded signal repetition zone as a band at the top of the strip.
  if (d.coded_zone && ax.shows(d.coded_zone->from_m, d.coded_zone->to_m)) {
    const drawn_span& z = *d.coded_zone;
    out.rect(ax.x(z.from_m), speed_top + 1, ax.x(z.to_m) - ax.x(z.from_m), 12,
             "fill=\"" + colour("coded-zone") + "\"");
    out.text((ax.x(z.from_m) + ax.x(z.to_m)) / 2, speed_top + 11,
             "coded zone, " + std::to_string(z.value) + " codes",
             "font-size=\"9\" fill=\"#01579b\" text-anchor=\"middle\"");
  }

  out.add(
      "<pattern id=\"slow-hatch\" width=\"6\" height=\"6\" patternUnits=\"userSpaceOnUse\" "
      "patternTransform=\"rotate(45)\"><rect width=\"6\" height=\"6\" fill=\"#ffe0b2\"/>"
      "<line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"6\" stroke=\"" +
      colour("slowdown") + "\" stroke-width=\"2\"/></pattern>");
  for (const drawn_slowdown& s : d.slowdowns) {
    if (!ax.shows(s.start_m, s.end_m)) continue;
    // From the slowdown's speed up to the limit, hatched.
    double limit = 0;
    for (const profile_run& r : d.speed) {
      if (start_of(r.first) < s.end_m && end_of(r.last) > s.start_m) {
        limit = std::max(limit, static_cast<double>(r.value));
      }
    }
    const double x0 = ax.x(s.start_m), x1 = std::max(ax.x(s.end_m), x0 + 3);
    const double top = std::max(limit, static_cast<double>(s.speed));
    out.rect(x0, vy(top), x1 - x0, vy(s.speed) - vy(top), "fill=\"url(#slow-hatch)\"");
    out.line(x0, vy(s.speed), x1, vy(s.speed), "stroke=\"#e65100\" stroke-width=\"2.5\"");
    out.text((x0 + x1) / 2, vy(s.speed) + 13, std::to_string(s.speed) + " km/h",
             "font-size=\"10\" font-weight=\"bold\" fill=\"#e65100\" text-anchor=\"middle\" "
             "stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
  }
  std::vector<point> speed;
  double last_label_x = -1e9;
  for (const profile_run& r : d.speed) {
    if (!in_view(r)) continue;
    const double x0 = ax.x(start_of(r.first)), x1 = ax.x(end_of(r.last));
    speed.push_back({x0, vy(r.value)});
    speed.push_back({x1, vy(r.value)});
    if (x0 - last_label_x >= 34) {
      out.text(x0 + 3, vy(r.value) - 4, std::to_string(r.value),
               "font-size=\"10\" fill=\"" + colour("speed") + "\"");
      last_label_x = x0;
    }
  }
  out.polyline(speed, "class=\"speed\" stroke=\"" + colour("speed") + "\" stroke-width=\"2\"");
  if (d.run) draw_run_speed(out, *d.run, ax, vy);

  // Gradient strip.
  int g_max = 5;
  for (const profile_run& r : d.gradient) {
    if (start_of(r.first) < d.line_length_m) g_max = std::max(g_max, std::abs(r.value));
  }
  const double g_top = g_max > 20 ? (g_max + 19) / 20 * 20 : (g_max + 9) / 10 * 10;
  const double g_mid = (grade_top + grade_bottom) / 2;
  const auto gy = [&](double g) {
    return g_mid - std::clamp(g, -g_top, g_top) / g_top * (grade_bottom - grade_top) / 2;
  };
  out.rect(profile_left, grade_top, profile_right - profile_left, grade_bottom - grade_top,
           "fill=\"#fbfaf6\" stroke=\"#c8c4b8\"");
  const double g_step = g_top > 20 ? 20 : 10;
  for (double g = -g_top; g <= g_top; g += g_step) {
    out.line(profile_left, gy(g), profile_right, gy(g), "stroke=\"#ebe7dc\" stroke-width=\"1\"");
    out.text(profile_left - 6, gy(g) + 4, (g > 0 ? "+" : "") + std::to_string(static_cast<int>(g)),
             "font-size=\"10\" fill=\"#555555\" text-anchor=\"end\"");
  }
  for (const drawn_span& t : d.tunnels) {
    if (!ax.shows(t.from_m, t.to_m)) continue;
    out.rect(ax.x(t.from_m), grade_top + 1, ax.x(t.to_m) - ax.x(t.from_m), 7,
             "fill=\"" + colour("tunnel") + "\" fill-opacity=\"0.6\"");
  }
  for (const profile_run& r : d.gradient) {
    if (r.value == 0 || !in_view(r)) continue;
    const double x0 = ax.x(start_of(r.first));
    out.rect(x0, std::min(gy(r.value), g_mid), ax.x(end_of(r.last)) - x0,
             std::fabs(gy(r.value) - g_mid),
             "class=\"grade\" fill=\"" + colour(r.value > 0 ? "uphill" : "downhill") +
                 "\" fill-opacity=\"0.85\"");
  }
  out.line(profile_left, g_mid, profile_right, g_mid, "stroke=\"#555555\" stroke-width=\"1\"");
  out.text(margin, g_mid - 6, "gradient", "font-size=\"12\" font-weight=\"bold\" fill=\"#6d4c41\"");
  out.text(margin, g_mid + 9, "per mille", "font-size=\"10\" fill=\"#555555\"");

  // Stations across both strips, names above in rows that avoid overlaps.
  std::vector<double> row_end(2, -1e9);
  for (const drawn_station& s : d.stations) {
    if (!ax.shows(s.axis_m, s.axis_m)) continue;
    const double x = ax.x(s.axis_m);
    out.line(x, speed_top, x, grade_bottom,
             "stroke=\"" + colour("station") +
                 "\" stroke-width=\"1\" stroke-dasharray=\"3 3\" stroke-opacity=\"0.7\"");
    const double w = text_width(s.name, 11);
    std::size_t row = 0;
    while (row < row_end.size() && row_end[row] > x - w / 2 - 6) ++row;
    if (row == row_end.size()) continue;  // no room: the dashed line alone marks it
    const double y = names_top + 16 + static_cast<double>(row) * 14;
    row_end[row] = x + w / 2;
    out.line(x, y + 3, x, texts_y - 6,
             "stroke=\"" + colour("station") + "\" stroke-width=\"0.7\" stroke-opacity=\"0.5\"");
    out.text(x, y, s.name,
             "font-size=\"11\" font-weight=\"bold\" fill=\"" + colour("station") +
                 "\" text-anchor=\"middle\" stroke=\"#ffffff\" stroke-width=\"3\" "
                 "paint-order=\"stroke\"");
  }

  // The boards: indication texts, then speed boards with their A/B/C speeds.
  out.text(margin, texts_y + 3.5, "texts", "font-size=\"10\" fill=\"#555555\"");
  out.text(margin, boards_y + 3.5, "boards", "font-size=\"10\" fill=\"#555555\"");
  std::vector<row_mark> texts, boards;
  for (const drawn_indication_board& b : d.indication_boards) {
    if (ax.shows(b.at_m, b.at_m)) texts.push_back({ax.x(b.at_m), b.text});
  }
  for (const drawn_speed_board& b : d.speed_boards) {
    if (ax.shows(b.at_m, b.at_m)) boards.push_back({ax.x(b.at_m), b.label()});
  }
  draw_row(out, texts, texts_y, colour("indication-board"), "indication-board-tick", 4);
  draw_row(out, boards, boards_y, colour("speed-board"), "speed-board-tick", 7);

  // Kilometre axis from the origin, with the signals on it.
  out.line(profile_left, axis_y, profile_right, axis_y, "stroke=\"#333333\" stroke-width=\"1.2\"");
  const double major = round_step(span, 15);
  const double minor = major >= 500 ? major / 5 : major;
  for (double m = std::ceil(ax.from / minor) * minor; m <= ax.to; m += minor) {
    const double x = ax.x(m);
    const bool is_major = std::fmod(m, major) == 0;
    out.line(x, axis_y, x, axis_y + (is_major ? 8 : 4), "stroke=\"#333333\" stroke-width=\"1\"");
    if (is_major) {
      out.text(x, axis_y + 21, km_label(m, major),
               "class=\"km-label\" font-size=\"11\" fill=\"#333333\" text-anchor=\"middle\"");
    }
  }
  out.text(profile_right, axis_y + 34, "km from the line's origin",
           "font-size=\"10\" fill=\"#555555\" text-anchor=\"end\"");
  for (const drawn_signal& s : d.signals) {
    if (!ax.shows(s.at_m, s.at_m)) continue;
    out.add("<path class=\"signal-tick\" d=\"M" + f1(ax.x(s.at_m)) + "," + f1(axis_y - 1) +
            " l4,-7 l-8,0 Z\" fill=\"" + colour("signal") + "\"/>");
  }

  // The kilometric progressive of each series, counting down along the line.
  const std::string chainage_colour = colour("station");
  out.line(profile_left, chainage_axis_y, profile_right, chainage_axis_y,
           "stroke=\"" + chainage_colour + "\" stroke-width=\"1\"");
  double free = -1e9;
  for (std::size_t i = 0; i < d.chainage.size(); ++i) {
    const serie_chilometrica& c = d.chainage[i];
    const double from = std::max<double>(c.inizio, ax.from);
    const double next = i + 1 < d.chainage.size() ? d.chainage[i + 1].inizio : 1e12;
    const double to = std::min(next, ax.to);
    if (from > to) continue;
    if (i > 0 && c.inizio >= ax.from) {
      out.line(ax.x(c.inizio), chainage_axis_y - 6, ax.x(c.inizio), chainage_axis_y + 14,
               "stroke=\"" + chainage_colour + "\" stroke-width=\"1.4\"");
    }
    const double hi = static_cast<double>(c.origine) - from;
    const double lo = static_cast<double>(c.origine) - to;
    for (double v = std::floor(hi / major) * major; v >= lo; v -= major) {
      const double x = ax.x(static_cast<double>(c.origine) - v);
      out.line(x, chainage_axis_y, x, chainage_axis_y + 6,
               "stroke=\"" + chainage_colour + "\" stroke-width=\"1\"");
      const std::string label = km(static_cast<std::int64_t>(v));
      const double w = text_width(label, 10);
      if (x - w / 2 > free) {
        out.text(x, chainage_axis_y + 18, label,
                 "class=\"chainage-label\" font-size=\"10\" fill=\"" + chainage_colour +
                     "\" text-anchor=\"middle\"");
        free = x + w / 2 + 6;
      }
    }
  }
  out.text(profile_right, chainage_axis_y + 32, "kilometric progressive",
           "font-size=\"10\" fill=\"#555555\" text-anchor=\"end\"");

  draw_run_times(out, d, ax);

  // Profile legend.
  const double ly = legend_bottom_y;
  double lx = profile_left;
  const auto item = [&](const std::string& sample, const std::string& text) {
    out.add(sample);
    out.text(lx + 26, ly + 4, text, "font-size=\"11\" fill=\"#333333\"");
    lx += 40 + text_width(text, 11);
  };
  const auto box = [&](const std::string& fill, double h) {
    return "<rect x=\"" + f1(lx) + "\" y=\"" + f1(ly - h / 2) + "\" width=\"20\" height=\"" +
           f1(h) + "\" fill=\"" + fill + "\"/>";
  };
  item("<line x1=\"" + f1(lx) + "\" y1=\"" + f1(ly) + "\" x2=\"" + f1(lx + 20) + "\" y2=\"" +
           f1(ly) + "\" stroke=\"" + colour("speed") + "\" stroke-width=\"2\"/>",
       "speed limit");
  item(box("url(#slow-hatch)", 12), "slowdown");
  item(box(colour("uphill"), 12), "uphill");
  item(box(colour("downhill"), 12), "downhill");
  item(box(colour("tunnel"), 7), "tunnel");
  item("<path d=\"M" + f1(lx + 10) + "," + f1(ly + 4) + " l4,-7 l-8,0 Z\" fill=\"" +
           colour("signal") + "\"/>",
       "signal");
  item(box(colour("coded-zone"), 12), "coded signal zone");
  if (d.run && !d.run->reason) {
    item("<line x1=\"" + f1(lx) + "\" y1=\"" + f1(ly) + "\" x2=\"" + f1(lx + 20) + "\" y2=\"" +
             f1(ly) + "\" stroke=\"" + colour("run") + "\" stroke-width=\"1.6\"/>",
         "fastest run (" + d.run->train_model + ")");
    item("<circle cx=\"" + f1(lx + 10) + "\" cy=\"" + f1(ly) +
             "\" r=\"4\" fill=\"none\" stroke=\"" + colour("timetable") +
             "\" stroke-width=\"1.5\"/>",
         "timetable");
  }
}

}  // namespace scenario
