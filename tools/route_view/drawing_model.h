// What the route's pictures show, computed once: the static plot renders it
// as SVG and the viewer serialises it for the page's script. Every object
// in metres along the line and in its cell, the profile as runs of cells,
// the curves, the kilometric series, the plan geometry thinned to a pyramid
// of levels, every occupied cell decoded, and (from the text files) the
// records that put each thing there and the checker's diagnostics.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/check/controlla.h"
#include "compiler/documenti/dati_documenti.h"
#include "compiler/marcia/linea_marcia.h"
#include "compiler/marcia/modello_treno.h"
#include "compiler/route_model/misure.h"
#include "tools/route_files/compiled_route.h"

namespace scenario {

// The colour of each kind of thing drawn, one table for SVG and canvas.
struct drawing_colour {
  std::string_view name;  // "signal", "station", ...
  std::string_view rgb;   // "#c62828"
};
std::span<const drawing_colour> drawing_colours();
std::string_view colour_of(std::string_view name);

// Where no record is known (compiled files) or none put the thing there.
inline constexpr std::int32_t no_record = -1;

struct drawn_station {
  int slot = 0;
  std::string name;  // UTF-8
  std::int32_t axis_m = 0, start_m = 0, end_m = 0, time_s = 0;
  std::int32_t record = no_record;
  std::int64_t cell = 0;  // where its axis falls: the cell whose first metre is nearest
};

// A signal, a speed board or an indication board: an object at a metre
// (its cell's first metre less one cell: objects at p sit in cell p/50 + 1).
struct drawn_signal {
  double at_m = 0;
  std::size_t cell = 0;
  std::string codes;  // decoded, in words
  std::int32_t record = no_record;
};

struct drawn_speed_board {
  double at_m = 0;
  std::size_t cell = 0;
  int left[3] = {0, 0, 0};  // A, B, C in km/h
  int right[3] = {0, 0, 0};
  int left_stripes = 0, right_stripes = 0;
  std::int32_t record = no_record;
  std::string label() const;  // "65/70/80", with the right-hand speeds after "|"
};

struct drawn_indication_board {
  double at_m = 0;
  std::size_t cell = 0;
  int slot = 0;
  std::string text;  // UTF-8, as written: "(P.L.A.)(km. 35+997)"
  std::int32_t record = no_record;
};

struct drawn_slowdown {
  double start_m = 0, end_m = 0;
  std::size_t start_cell = 0, end_cell = 0;
  int speed = 0;  // km/h
  std::int32_t record = no_record;
};

// A stretch along the line: a tunnel span (value = its type), the coded zone
// (value = number of codes).
struct drawn_span {
  double from_m = 0, to_m = 0;
  int value = 0;
  std::int32_t record = no_record;
};

// Cells first .. last (inclusive) with one value, put there by one record.
struct profile_run {
  std::size_t first = 0, last = 0;
  int value = 0;
  std::int32_t record = no_record;
};

// A stretch of track turning at one radius; side +1 right, -1 left.
struct drawn_curve {
  double from_m = 0, to_m = 0;
  double radius_m = 0;
  int side = 0;
  std::int32_t record = no_record;
};

// One level of the plan: the points kept by thinning the geometry so that
// no dropped point lies farther than `tolerance_m` from the polyline.
struct plan_point {
  std::int64_t k = 0;  // metres from the origin (the point's index)
  double x = 0, y = 0;
};
struct plan_level {
  double tolerance_m = 0;
  std::vector<plan_point> points;
};

// A cell that holds an object, a value or an approach mark, decoded.
struct drawn_cell {
  std::size_t index = 0;
  cella raw;
  std::string object;  // "signal", "slowdown start", ...
  std::string values;  // the values in words
  std::int32_t object_record = no_record;
  std::int32_t mark_record = no_record;
  std::string placed_by;  // the placement rule that put a marker, or empty
};

// A record of the text files, as the viewer shows it.
struct drawn_record {
  int file = 0;  // index into route_drawing::files
  std::int32_t line = 0, column = 0;
  std::string kind;                  // the keyword as written by the writers
  std::string text;                  // the whole source line, UTF-8
  std::optional<std::int64_t> at_m;  // the record's position, when its first value is one
};

struct drawn_diagnostic {
  std::string severity;  // "error" or "warning"
  std::optional<std::int32_t> code;
  std::string id, message;
  int file = -1;  // index into route_drawing::files, -1 for none
  std::int32_t line = 0, column = 0;
  std::optional<std::int64_t> at_m;  // where along the line, when a record tells
  // The cell of at_m as the compiler placed the record: its object's cell,
  // else the profile cell (the cell whose first metre is nearest).
  std::optional<std::int64_t> cell;
  std::string source;  // the source line
};

// The fastest run of the train over the line (the running-time
// calculation), as both pictures draw it: speed against distance under the
// limit, and time of day against distance beside the timetable.
struct run_point {
  double at_m = 0;
  double speed_kmh = 0, limit_kmh = 0;
  double time_s = 0;  // of day
};

// The run at a station: its computed times and the service file's.
struct run_station {
  std::size_t station = 0;  // index into route_drawing::stations
  double at_m = 0;
  bool stops = false;
  double arrival_s = 0, departure_s = 0;    // computed; equal where it passes
  std::optional<std::int32_t> timetable_s;  // the service file's time
};

// A section between two stations with a time: the fastest run (with the
// dwell at its end) against the timetable.
struct run_section {
  double from_m = 0, to_m = 0;
  std::string from, to;  // station names, UTF-8
  double fastest_s = 0, timetable_s = 0;
  double margin_s = 0, margin_percent = 0;
  bool drivable() const { return margin_s >= 0; }
};

struct drawn_run {
  std::string train_model;  // the file's name, or "built-in defaults"
  // Why no run is drawn (a reason in words); then the rest is empty.
  std::optional<std::string> reason;
  std::vector<run_point> points;  // every 10 m and the last station
  std::vector<run_station> stations;
  std::vector<run_section> sections;
};

// A row of a timetable sheet read beside the data.
struct sheet_row {
  std::int32_t line = 0;  // in the sheet, from 1
  std::string name;       // UTF-8, as written
  std::optional<std::int64_t> km_m;
  // Along the line: the matched station's axis, else where the row's
  // kilometre falls; none when neither tells.
  std::optional<double> at_m;
  std::optional<std::size_t> station;  // index into route_drawing::stations
  std::string times;                   // the time cell as written, trimmed
  // The times read, seconds of day (whole half minutes).
  std::optional<std::int32_t> arrival_s, departure_s, passing_s;
};

// A finding on the sheet or the slowdown order form.
struct document_finding {
  std::string document;  // "sheet" or "form"
  std::string id, message, matched;
  bool disagreement = true;  // else the document does not follow its layout
  std::int32_t line = 0, column = 0;
  std::optional<double> at_m;  // along the line, when its row tells
};

// The driver's documents read beside the data: the sheet's rows and both
// documents' findings.
struct drawn_documents {
  std::string sheet_file, form_file;  // empty when not given
  std::vector<sheet_row> rows;
  std::vector<document_finding> findings;
};

struct route_drawing {
  std::string route, train;
  std::int32_t line_length_m = 0;
  std::size_t cells = 0;
  std::vector<std::string> header;           // the scenario's figures in words, one row each
  std::vector<serie_chilometrica> chainage;  // the kilometric series in use

  std::vector<drawn_station> stations;
  std::vector<drawn_signal> signals;
  std::vector<drawn_speed_board> speed_boards;
  std::vector<drawn_indication_board> indication_boards;
  std::vector<drawn_slowdown> slowdowns;
  std::vector<drawn_span> tunnels;
  std::optional<drawn_span> coded_zone;

  std::vector<profile_run> speed;     // km/h
  std::vector<profile_run> gradient;  // per mille
  std::vector<profile_run> adhesion;
  std::vector<profile_run> tunnel_type;
  std::vector<drawn_curve> curves;

  std::vector<plan_level> plan;  // finest first
  std::vector<drawn_cell> occupied;

  // With the text files: their names, the records read, the diagnostics.
  std::vector<std::string> files;
  std::vector<drawn_record> records;
  std::vector<drawn_diagnostic> diagnostics;
  int errors = 0, warnings = 0;

  // The fastest run, when the command timed it; the documents, when any
  // was read.
  std::optional<drawn_run> run;
  std::optional<drawn_documents> documents;
};

// The stretch of line a picture shows, in metres from the origin.
struct view_range {
  double from_m = 0;
  double to_m = 0;
};

// The pictures of a compiled route.
route_drawing drawing_of(const compiled_route& r, const std::string& route,
                         const std::string& train);

// The compile step's model as the compiled files would hold it (no files
// written): cells, item table and geometry.
compiled_route compiled_of(const modello_percorso& m);

// The pictures of the two text files: their compiled model, with every
// record that put something into it and the checker's diagnostics.
route_drawing drawing_of(const esito_controllo& e, const ingresso_controllo& in);

// The run of `model` over `line` (the route drawn) into `d.run`; a run the
// calculation cannot time keeps only its reason. `model_name` names the
// train model in the pictures.
void add_run(route_drawing& d, const linea_marcia& line, const modello_treno& model,
             std::string model_name);

// The sheet's rows (with `sheet`) and both documents' findings into
// `d.documents`, against `data`, the same route. `dwell_s`: the dwell at a
// stop, by which the sheet's arrivals come before their departures.
struct document_texts {
  std::string sheet_file, form_file;  // empty: not given
  std::string sheet, form;            // their bytes
};
void add_documents(route_drawing& d, const dati_documenti& data, const document_texts& texts,
                   std::int32_t dwell_s);

// The kilometric progressive at position m in metres; none where no series
// in use covers it.
std::optional<std::int64_t> chainage_at(const route_drawing& d, double m);

// The position in metres whose progressive is `chainage_m`, the first along
// the line; none when no series reaches it.
std::optional<double> position_of_chainage(const route_drawing& d, std::int64_t chainage_m);

// The coarsest level whose tolerance is at most `tolerance_m`; the finest
// when every level is coarser. Null without geometry.
const plan_level* plan_level_for(const route_drawing& d, double tolerance_m);

// The plan point at metre m, interpolated along a level; none without geometry.
std::optional<plan_point> plan_at(const plan_level& level, double m);

// Thins points (in order of k) so that every dropped point lies within
// `tolerance_m` of the segment between the points kept around it.
std::vector<plan_point> thin_points(const std::vector<plan_point>& points, double tolerance_m);

}  // namespace scenario
