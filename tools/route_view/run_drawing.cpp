#include "tools/route_view/run_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/text_format.h"
#include "compiler/route_model/misure.h"

namespace scenario {

using namespace plot_layout;

namespace {

std::string colour(std::string_view name) {
  return std::string(colour_of(name));
}

// A round step of the time axis in seconds giving at most `most` ticks.
double time_step(double span, int most) {
  for (const double step : {60.0, 120.0, 300.0, 600.0, 900.0, 1800.0, 3600.0, 7200.0}) {
    if (span / step <= most) return step;
  }
  return 14400.0;
}

// "hh:mm" of a time of day in seconds.
std::string hh_mm(double s) {
  const std::string t = hh_mm_ss(std::llround(s));
  return t.substr(0, t.size() - 3);
}

double speed_of(const run_point& p) {
  return p.speed_kmh;
}
double time_of(const run_point& p) {
  return p.time_s;
}

}  // namespace

std::vector<point> run_polyline(const drawn_run& r, const profile_axis& ax,
                                double (*value)(const run_point&),
                                const std::function<double(double)>& y) {
  std::vector<point> out;
  const run_point* last_shown = nullptr;
  for (const run_point& p : r.points) {
    if (p.at_m < ax.from || p.at_m > ax.to) continue;
    const double x = ax.x(p.at_m);
    if (out.empty() || x - out.back().x >= 0.5) {
      out.push_back({x, y(value(p))});
      last_shown = nullptr;
    } else {
      last_shown = &p;
    }
  }
  if (last_shown != nullptr) out.push_back({ax.x(last_shown->at_m), y(value(*last_shown))});
  return out;
}

void draw_run_speed(svg& out, const drawn_run& r, const profile_axis& ax,
                    const std::function<double(double)>& vy) {
  const std::vector<point> pts = run_polyline(r, ax, speed_of, vy);
  if (pts.size() < 2) return;
  out.polyline(pts, "class=\"run-speed\" stroke=\"" + colour("run") + "\" stroke-width=\"1.6\"");
}

void draw_run_times(svg& out, const route_drawing& d, const profile_axis& ax) {
  out.rect(profile_left, time_top, profile_right - profile_left, time_bottom - time_top,
           "fill=\"#fcfbfd\" stroke=\"#c8c4b8\"");
  out.text(margin, (time_top + time_bottom) / 2 - 6, "time",
           "font-size=\"12\" font-weight=\"bold\" fill=\"" + colour("run") + "\"");
  out.text(margin, (time_top + time_bottom) / 2 + 9, "of day", "font-size=\"10\" fill=\"#555555\"");
  if (!d.run) return;
  const drawn_run& r = *d.run;
  if (r.reason) {
    out.text(profile_left + 10, (time_top + time_bottom) / 2, *r.reason,
             "class=\"run-reason\" font-size=\"13\" fill=\"#b71c1c\"");
    return;
  }
  // The times shown: the run's and the timetable's within the stretch.
  double t0 = std::numeric_limits<double>::infinity();
  double t1 = -t0;
  for (const run_point& p : r.points) {
    if (p.at_m < ax.from || p.at_m > ax.to) continue;
    t0 = std::min(t0, p.time_s);
    t1 = std::max(t1, p.time_s);
  }
  for (const run_station& s : r.stations) {
    if (!s.timetable_s || !ax.shows(s.at_m, s.at_m)) continue;
    t0 = std::min(t0, static_cast<double>(*s.timetable_s));
    t1 = std::max(t1, static_cast<double>(*s.timetable_s));
  }
  if (!(t0 <= t1)) return;
  const double step = time_step(std::max(t1 - t0, 60.0), 6);
  t0 = std::floor(t0 / step) * step;
  t1 = std::max(std::ceil(t1 / step) * step, t0 + step);
  const auto ty = [&](double t) {
    return time_bottom - (t - t0) / (t1 - t0) * (time_bottom - time_top);
  };
  for (double t = t0; t <= t1; t += step) {
    out.line(profile_left, ty(t), profile_right, ty(t), "stroke=\"#ebe7f0\" stroke-width=\"1\"");
    out.text(profile_left - 6, ty(t) + 4, hh_mm(t),
             "class=\"time-label\" font-size=\"10\" fill=\"#555555\" text-anchor=\"end\"");
  }
  const std::vector<point> pts = run_polyline(r, ax, time_of, ty);
  if (pts.size() >= 2) {
    out.polyline(pts, "class=\"run-time\" stroke=\"" + colour("run") + "\" stroke-width=\"1.6\"");
  }
  for (const run_station& s : r.stations) {
    if (!ax.shows(s.at_m, s.at_m)) continue;
    const double x = ax.x(s.at_m);
    if (s.stops && s.departure_s > s.arrival_s) {
      out.line(x, ty(s.arrival_s), x, ty(s.departure_s),
               "class=\"run-stop\" stroke=\"" + colour("run") + "\" stroke-width=\"3\"");
    }
    if (s.timetable_s) {
      out.add("<circle class=\"timetable-point\" cx=\"" + f1(x) + "\" cy=\"" +
              f1(ty(*s.timetable_s)) + "\" r=\"4\" fill=\"none\" stroke=\"" + colour("timetable") +
              "\" stroke-width=\"1.5\"/>");
    }
  }
  // A margin that would overlap the one before goes a row lower.
  double free_x = -1e9;
  bool lower = false;
  for (const run_section& z : r.sections) {
    if (!ax.shows(z.from_m, z.to_m)) continue;
    const double x = (ax.x(z.from_m) + ax.x(z.to_m)) / 2;
    const std::string text = (z.margin_s >= 0 ? "+" : "") + fixed_decimals(z.margin_s, 0) + " s, " +
                             fixed_decimals(z.margin_percent, 1) + " %";
    const double w = text_width(text, 10);
    lower = x - w / 2 < free_x && !lower;
    if (!lower) free_x = x + w / 2 + 4;
    out.text(x, time_top + (lower ? 27 : 14), text,
             "class=\"run-margin\" font-size=\"10\" text-anchor=\"middle\" fill=\"" +
                 (z.drivable() ? std::string("#2e7d32") : std::string("#b71c1c")) + "\"");
  }
}

}  // namespace scenario
