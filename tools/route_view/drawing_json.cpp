#include "tools/route_view/drawing_json.h"

#include <cmath>

#include "compiler/format/campi.h"
#include "compiler/route_model/misure.h"

namespace scenario {

namespace {

using nlohmann::json;

json optional_number(const std::optional<std::int64_t>& v) {
  return v ? json(*v) : json(nullptr);
}

json runs(const std::vector<profile_run>& r) {
  json a = json::array();
  for (const profile_run& x : r) a.push_back({x.first, x.last, x.value, x.record});
  return a;
}

// Whole centimetres, each the difference from the one before.
json plan_level_json(const plan_level& l) {
  json k = json::array(), x = json::array(), y = json::array();
  std::int64_t pk = 0, px = 0, py = 0;
  for (const plan_point& p : l.points) {
    const auto cx = static_cast<std::int64_t>(std::llround(p.x * 100));
    const auto cy = static_cast<std::int64_t>(std::llround(p.y * 100));
    k.push_back(p.k - pk);
    x.push_back(cx - px);
    y.push_back(cy - py);
    pk = p.k;
    px = cx;
    py = cy;
  }
  return {{"tolerance_m", l.tolerance_m}, {"k", k}, {"x_cm", x}, {"y_cm", y}};
}

json cell_json(const drawn_cell& c) {
  // The code, the object's values and the approach mark, as the file holds them.
  json raw = json::array({c.raw.tipo});
  per_ogni_campo(campi_oggetto, [&](const auto& f) { raw.push_back(numero_campo(c.raw, f)); });
  raw.push_back(c.raw.segno);
  return {{"cell", c.index},           {"object", c.object},
          {"values", c.values},        {"raw", raw},
          {"record", c.object_record}, {"mark_record", c.mark_record},
          {"placed_by", c.placed_by}};
}

// Tenths: the run's figures are drawn, not computed with.
double tenth(double v) {
  return std::round(v * 10.0) / 10.0;
}

json run_json(const drawn_run& r) {
  json j;
  j["train_model"] = r.train_model;
  j["reason"] = r.reason ? json(*r.reason) : json(nullptr);
  // The profile as columns: metres, km/h, km/h and seconds of day.
  json at = json::array(), speed = json::array(), limit = json::array(), time = json::array();
  for (const run_point& p : r.points) {
    at.push_back(tenth(p.at_m));
    speed.push_back(tenth(p.speed_kmh));
    limit.push_back(tenth(p.limit_kmh));
    time.push_back(tenth(p.time_s));
  }
  j["points"] = {{"at_m", at}, {"speed_kmh", speed}, {"limit_kmh", limit}, {"time_s", time}};
  json stations = json::array();
  for (const run_station& s : r.stations) {
    stations.push_back({{"station", s.station},
                        {"at_m", s.at_m},
                        {"stops", s.stops},
                        {"arrival_s", tenth(s.arrival_s)},
                        {"departure_s", tenth(s.departure_s)},
                        {"timetable_s", s.timetable_s ? json(*s.timetable_s) : json(nullptr)}});
  }
  j["stations"] = stations;
  json sections = json::array();
  for (const run_section& s : r.sections) {
    sections.push_back({{"from_m", s.from_m},
                        {"to_m", s.to_m},
                        {"from", s.from},
                        {"to", s.to},
                        {"fastest_s", tenth(s.fastest_s)},
                        {"timetable_s", tenth(s.timetable_s)},
                        {"margin_s", tenth(s.margin_s)},
                        {"margin_percent", tenth(s.margin_percent)}});
  }
  j["sections"] = sections;
  return j;
}

json documents_json(const drawn_documents& d) {
  json rows = json::array();
  for (const sheet_row& r : d.rows) {
    rows.push_back({{"line", r.line},
                    {"name", r.name},
                    {"km_m", optional_number(r.km_m)},
                    {"at_m", r.at_m ? json(*r.at_m) : json(nullptr)},
                    {"station", r.station ? json(*r.station) : json(nullptr)},
                    {"times", r.times},
                    {"arrival_s", optional_number(r.arrival_s)},
                    {"departure_s", optional_number(r.departure_s)},
                    {"passing_s", optional_number(r.passing_s)}});
  }
  json findings = json::array();
  for (const document_finding& f : d.findings) {
    findings.push_back({{"document", f.document},
                        {"id", f.id},
                        {"message", f.message},
                        {"matched", f.matched},
                        {"disagreement", f.disagreement},
                        {"line", f.line},
                        {"column", f.column},
                        {"at_m", f.at_m ? json(*f.at_m) : json(nullptr)}});
  }
  return {{"sheet_file", d.sheet_file},
          {"form_file", d.form_file},
          {"rows", rows},
          {"findings", findings}};
}

}  // namespace

json drawing_json(const route_drawing& d, const view_range& v) {
  json j;
  j["route"] = d.route;
  j["train"] = d.train;
  j["line_length_m"] = d.line_length_m;
  j["cells"] = d.cells;
  j["metres_per_cell"] = metri_per_cella;
  j["header"] = d.header;
  j["view"] = {{"from_m", v.from_m}, {"to_m", v.to_m}};
  json colours = json::object();
  for (const drawing_colour& c : drawing_colours()) colours[std::string(c.name)] = c.rgb;
  j["colours"] = colours;
  json chainage = json::array();
  for (const serie_chilometrica& s : d.chainage) chainage.push_back({s.inizio, s.origine});
  j["chainage"] = chainage;

  json stations = json::array();
  for (const drawn_station& s : d.stations) {
    stations.push_back({{"slot", s.slot},
                        {"name", s.name},
                        {"axis_m", s.axis_m},
                        {"start_m", s.start_m},
                        {"end_m", s.end_m},
                        {"time", s.time_s != 0 ? json(hh_mm_ss(s.time_s)) : json(nullptr)},
                        {"record", s.record},
                        {"cell", s.cell}});
  }
  j["stations"] = stations;
  json signals = json::array();
  for (const drawn_signal& s : d.signals) signals.push_back({s.at_m, s.cell, s.record, s.codes});
  j["signals"] = signals;
  json boards = json::array();
  for (const drawn_speed_board& b : d.speed_boards) {
    boards.push_back({{"at_m", b.at_m},
                      {"cell", b.cell},
                      {"left", {b.left[0], b.left[1], b.left[2]}},
                      {"right", {b.right[0], b.right[1], b.right[2]}},
                      {"stripes", {b.left_stripes, b.right_stripes}},
                      {"label", b.label()},
                      {"record", b.record}});
  }
  j["speed_boards"] = boards;
  json texts = json::array();
  for (const drawn_indication_board& b : d.indication_boards) {
    texts.push_back({b.at_m, b.cell, b.slot, b.text, b.record});
  }
  j["indication_boards"] = texts;
  json slowdowns = json::array();
  for (const drawn_slowdown& s : d.slowdowns) {
    slowdowns.push_back({s.start_m, s.end_m, s.start_cell, s.end_cell, s.speed, s.record});
  }
  j["slowdowns"] = slowdowns;
  json tunnels = json::array();
  for (const drawn_span& t : d.tunnels) tunnels.push_back({t.from_m, t.to_m, t.value, t.record});
  j["tunnels"] = tunnels;
  j["coded_zone"] = d.coded_zone ? json({d.coded_zone->from_m, d.coded_zone->to_m,
                                         d.coded_zone->value, d.coded_zone->record})
                                 : json(nullptr);
  j["speed"] = runs(d.speed);
  j["gradient"] = runs(d.gradient);
  j["adhesion"] = runs(d.adhesion);
  j["tunnel_type"] = runs(d.tunnel_type);
  json curves = json::array();
  for (const drawn_curve& c : d.curves) {
    curves.push_back({c.from_m, c.to_m, c.radius_m, c.side, c.record});
  }
  j["curves"] = curves;
  json plan = json::array();
  for (const plan_level& l : d.plan) plan.push_back(plan_level_json(l));
  j["plan"] = plan;
  json cells = json::array();
  for (const drawn_cell& c : d.occupied) cells.push_back(cell_json(c));
  j["occupied"] = cells;

  j["files"] = d.files;
  json records = json::array();
  for (const drawn_record& r : d.records) {
    records.push_back({r.file, r.line, r.column, r.kind, r.text, optional_number(r.at_m)});
  }
  j["records"] = records;
  json diagnostics = json::array();
  for (const drawn_diagnostic& g : d.diagnostics) {
    diagnostics.push_back({{"severity", g.severity},
                           {"code", g.code ? json(*g.code) : json(nullptr)},
                           {"id", g.id},
                           {"message", g.message},
                           {"file", g.file},
                           {"line", g.line},
                           {"column", g.column},
                           {"at_m", optional_number(g.at_m)},
                           {"cell", optional_number(g.cell)},
                           {"source", g.source}});
  }
  j["diagnostics"] = diagnostics;
  j["errors"] = d.errors;
  j["warnings"] = d.warnings;
  j["has_sources"] = !d.files.empty();
  j["run"] = d.run ? run_json(*d.run) : json(nullptr);
  j["documents"] = d.documents ? documents_json(*d.documents) : json(nullptr);
  return j;
}

}  // namespace scenario
