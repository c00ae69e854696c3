#include "tools/route_tool/profile_drawing.h"

#include <algorithm>
#include <cmath>

#include "tools/route_tool/plot_layout.h"
#include "tools/route_tool/text_format.h"

namespace scenario {

using namespace plot_layout;

namespace {

// Profile x axis: metres along the line to pixels.
struct profile_axis {
  double length = 1;
  double x(double m) const {
    return profile_left + std::clamp(m, 0.0, length) / length * (profile_right - profile_left);
  }
};

}  // namespace

void draw_profile(svg& out, const compiled_route& r, const plot_objects& objects) {
  const auto& stations = objects.stations;
  const auto& signals = objects.signals;
  const auto& slowdowns = objects.slowdowns;
  const auto& tunnels = objects.tunnels;
  // The line's length as recorded, kept within the cells actually present.
  const double length = std::clamp(static_cast<double>(r.lunghezza_percorso()), 50.0,
                                   std::max(50.0, static_cast<double>(r.celle.size()) * 50.0));
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
  for (const auto& [a, b] : tunnels) {
    if (a >= length) continue;
    out.rect(ax.x(a), grade_top + 1, ax.x(b) - ax.x(a), 7, "fill=\"#7b5a36\" fill-opacity=\"0.6\"");
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
    while (row < row_end.size() && row_end[row] > x - w / 2 - 6) ++row;
    if (row == row_end.size()) continue;  // no room: the dashed line alone marks it
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
  // Labelled ticks at a round step giving at most 15 labels; minor ticks between.
  const double km_len = length / 1000.0;
  int major = 1;
  for (const int step : {1, 2, 5, 10, 20, 50, 100, 200}) {
    major = step;
    if (km_len / step <= 15) break;
  }
  const int minor = major >= 5 ? major / 5 : 1;
  for (int kk = 0; kk <= static_cast<int>(km_len); kk += minor) {
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

}  // namespace scenario
