#include "tools/route_view/drawing_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>

#include "base/cp1252.h"
#include "base/text_format.h"
#include "compiler/check/contesto_check.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/route_model/misure.h"
#include "compiler/route_model/voci.h"
#include "tools/route_files/route_contents.h"

namespace scenario {

namespace {

constexpr drawing_colour colours[] = {
    {"track", "#2b2b2b"},      {"past-end", "#9e9e9e"},    {"tunnel", "#7b5a36"},
    {"station", "#1f4e8c"},    {"signal", "#c62828"},      {"slowdown", "#ef6c00"},
    {"speed", "#1565c0"},      {"uphill", "#c0763a"},      {"downhill", "#43a047"},
    {"coded-zone", "#b3e5fc"}, {"speed-board", "#6a1b9a"}, {"indication-board", "#00695c"},
    {"error", "#d32f2f"},      {"warning", "#f9a825"},     {"cursor", "#ff1744"},
    {"curve", "#8e24aa"},      {"adhesion", "#546e7a"},    {"selection", "#ffd54f"},
    {"run", "#d81b60"},        {"timetable", "#212121"},   {"sheet", "#00838f"},
};

// Where the object in cell k was written: a signal, a board or a slowdown at
// p metres stands in the cell after the one p begins.
double metres_of_object_cell(std::size_t k) {
  return static_cast<double>(posizione_oggetto(static_cast<std::int64_t>(k)));
}

std::string slot_text(const compiled_route& r, int slot) {
  if (slot < 0 || slot >= n_elementi) return {};
  return cp1252_to_utf8(r.elementi[static_cast<std::size_t>(slot)].nome);
}

std::vector<std::string> header_rows(const compiled_route& r) {
  const auto& e = r.elementi;
  std::vector<std::string> rows;
  rows.push_back(plural(static_cast<std::size_t>(std::max(0, numero_vetture(e))), "car", "cars") +
                 ", braked mass " + std::to_string(percentuale_massa_frenata(e)) + " %");
  rows.push_back("clock at the start " +
                 hh_mm_ss(static_cast<std::int64_t>(ore_orologio(e)) * 3600 +
                          minuti_orologio(e) * 60 + secondi_orologio(e)) +
                 ", sanding " + std::to_string(sabbia(e)));
  const std::vector<serie_chilometrica> serie = serie_in_uso(e);
  if (numero_codici(e) != 0) {
    rows.push_back("coded signal zone " + metri_e_progressiva(inizio_ripetizione(e), serie) +
                   " to " + metri_e_progressiva(fine_ripetizione(e), serie) + ", " +
                   std::to_string(numero_codici(e)) + " codes");
  } else {
    rows.push_back("no coded signal zone");
  }
  for (const int v : {voce::progressiva_uno, voce::progressiva_due, voce::progressiva_tre}) {
    if (verso_serie(e, v) != 1) continue;
    rows.push_back("kilometric series from " + std::to_string(inizio_serie(e, v)) +
                   " m: " + km(origine_scritta(e, v)) + " at 0 m");
  }
  rows.push_back(
      "backgrounds " + std::to_string(sfondo_uno(e)) + " / " + std::to_string(sfondo_due(e)) +
      " / " + std::to_string(sfondo_tre(e)) + "; competition codes " +
      std::to_string(codice_gara_st_di(e)) + ", " +
      std::to_string(r.celle.size() > cella_riservata
                         ? spacchetta_cella_riservata(r.celle[cella_riservata]).codice_gara
                         : 0));
  return rows;
}

// Runs of cells with one value and one record.
std::vector<profile_run> runs_of(std::size_t n, const std::function<int(std::size_t)>& value,
                                 const std::function<std::int32_t(std::size_t)>& record) {
  std::vector<profile_run> runs;
  for (std::size_t k = 0; k < n; ++k) {
    const int v = value(k);
    const std::int32_t rec = record(k);
    if (!runs.empty() && runs.back().value == v && runs.back().record == rec) {
      runs.back().last = k;
    } else {
      runs.push_back({k, k, v, rec});
    }
  }
  return runs;
}

// A point further than this from the origin (metres) is not drawn: a
// route reaches a thousand kilometres at most, and the page carries
// coordinates as whole centimetres, which must stay exact in a script's
// numbers (below 2^53) even as differences of two points.
constexpr double coordinata_disegnabile_massima_m = 1e13;

bool disegnabile(double v) {
  return std::isfinite(v) && std::fabs(v) <= coordinata_disegnabile_massima_m;
}

// The geometry's points that hold a drawable value, in order; a damaged
// file may hold any double.
std::vector<plan_point> valued_points(const compiled_route& r) {
  std::vector<plan_point> pts;
  const std::size_t n = std::min(r.tracciato.x.size(), r.tracciato.y.size());
  pts.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    const auto x = valore(r.tracciato.x[k]);
    const auto y = valore(r.tracciato.y[k]);
    if (x && y && disegnabile(*x) && disegnabile(*y)) {
      pts.push_back({static_cast<std::int64_t>(k), *x, *y});
    }
  }
  return pts;
}

// Stretches of track turning at one rate, from the turn between
// consecutive steps; a curve turns by atan(c) at every point it lays.
std::vector<drawn_curve> curves_of(const std::vector<plan_point>& p) {
  std::vector<drawn_curve> curves;
  for (std::size_t i = 2; i < p.size(); ++i) {
    if (p[i].k != p[i - 1].k + 1 || p[i - 1].k != p[i - 2].k + 1) continue;
    const double ax = p[i - 1].x - p[i - 2].x, ay = p[i - 1].y - p[i - 2].y;
    const double bx = p[i].x - p[i - 1].x, by = p[i].y - p[i - 1].y;
    const double turn = std::atan2(ax * by - ay * bx, ax * bx + ay * by);
    if (std::fabs(turn) < 1e-7) continue;
    const double radius = 1.0 / std::tan(std::fabs(turn));
    const int side = turn < 0 ? 1 : -1;  // clockwise, north up: to the right
    const double at = static_cast<double>(p[i].k);
    if (!curves.empty()) {
      drawn_curve& c = curves.back();
      if (c.to_m == at - 1 && c.side == side && std::fabs(c.radius_m - radius) < 1e-3 * radius) {
        c.to_m = at;
        continue;
      }
    }
    curves.push_back({at - 1, at, radius, side, no_record});
  }
  for (drawn_curve& c : curves) c.radius_m = std::round(c.radius_m * 10) / 10;
  return curves;
}

std::vector<plan_level> plan_levels(const std::vector<plan_point>& points) {
  // Each level a quarter as fine as the one before, down to a few dozen
  // points: 5 cm first, so that the closest view shows the curves whole.
  std::vector<plan_level> levels;
  double tolerance = 0.05;
  std::vector<plan_point> pts = thin_points(points, tolerance);
  while (true) {
    levels.push_back({tolerance, pts});
    if (pts.size() <= 64 || levels.size() >= 12) break;
    tolerance *= 4;
    pts = thin_points(pts, tolerance);
  }
  return levels;
}

double distance_to_segment(const plan_point& p, const plan_point& a, const plan_point& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

struct sources_view {
  const sorgenti_modello& s;
  std::int32_t cell(std::size_t k, std::int32_t origine_cella::*what) const {
    return k < s.celle.size() ? s.celle[k].*what : no_record;
  }
};

std::string rule_in_words(regola_posa r) {
  switch (r) {
    case regola_posa::segnale_prima_avviso:
      return "placement pass: marker before a signal that precedes a slowdown's warning board";
    case regola_posa::prima_inizio:
      return "placement pass: marker before a slowdown's start";
    case regola_posa::lungo_rallentamento:
      return "placement pass: marker every 400 m along a slow slowdown";
    case regola_posa::prima_segnale_dopo_fine:
      return "placement pass: marker before the first signal after a slowdown's end";
    case regola_posa::nessuna:
      break;
  }
  return {};
}

route_drawing build(const compiled_route& r, const std::string& route, const std::string& train,
                    const sorgenti_modello* s) {
  route_drawing d;
  d.route = route;
  d.train = train;
  d.line_length_m = r.lunghezza_percorso();
  d.cells = r.celle.size();
  d.header = header_rows(r);
  d.chainage = serie_in_uso(r.elementi);
  const auto rec = [&](std::size_t k, std::int32_t origine_cella::*what) {
    return s != nullptr ? sources_view{*s}.cell(k, what) : no_record;
  };

  for (const int k : trova_slot(r).stazioni) {
    const elemento& e = r.elementi[static_cast<std::size_t>(k)];
    d.stations.push_back({k, cp1252_to_utf8(e.nome), e.posizione, e.inizio, e.fine, e.orario,
                          s != nullptr ? s->elementi[static_cast<std::size_t>(k)] : no_record,
                          cella_profilo(e.posizione)});
  }
  const auto& celle = r.celle;
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    const double at = metres_of_object_cell(k);
    const std::int32_t record = rec(k, &origine_cella::oggetto);
    switch (c.tipo) {
      case tipo_cella::segnale:
        d.signals.push_back({at, k, valori_cella(c, r), record});
        break;
      case tipo_cella::indicatore_v_max: {
        const velocita_cartello v = spacchetta_cartello(c);
        drawn_speed_board b{at, k, {}, {}, v.strisce_sinistra, v.strisce_destra, record};
        std::copy(std::begin(v.sinistra), std::end(v.sinistra), b.left);
        std::copy(std::begin(v.destra), std::end(v.destra), b.right);
        d.speed_boards.push_back(b);
        break;
      }
      case tipo_cella::cartello_indicatore:
        d.indication_boards.push_back(
            {at, k, voce_cartello(c), slot_text(r, voce_cartello(c)), record});
        break;
      case tipo_cella::inizio_rallentamento: {
        std::size_t e = k + 1;
        while (e < celle.size() && celle[e].tipo != tipo_cella::fine_rallentamento) ++e;
        if (e >= celle.size()) e = celle.size() - 1;
        d.slowdowns.push_back(
            {at, metres_of_object_cell(e), k, e, spacchetta_rallentamento(c).velocita, record});
        break;
      }
      default:
        break;
    }
    if (cella_occupata(c)) {
      d.occupied.push_back({k, c, k == cella_riservata ? "reserved" : nome_oggetto(c.tipo),
                            valori_cella(c, r), record, rec(k, &origine_cella::segno),
                            s != nullptr && k < s->celle.size() ? rule_in_words(s->celle[k].regola)
                                                                : std::string()});
    }
  }

  const std::size_t n = celle.size();
  const auto none = [](std::size_t) { return no_record; };
  const auto field_record = [&](std::int32_t origine_cella::*what) {
    return s != nullptr ? std::function<std::int32_t(std::size_t)>(
                              [&, what](std::size_t k) { return rec(k, what); })
                        : std::function<std::int32_t(std::size_t)>(none);
  };
  d.speed = runs_of(
      n, [&](std::size_t k) { return celle[k].velocita * 5; },
      field_record(&origine_cella::velocita));
  d.gradient = runs_of(
      n, [&](std::size_t k) { return celle[k].pendenza - 100; },
      field_record(&origine_cella::pendenza));
  d.adhesion = runs_of(
      n, [&](std::size_t k) { return static_cast<int>(celle[k].aderenza); },
      field_record(&origine_cella::aderenza));
  d.tunnel_type = runs_of(
      n, [&](std::size_t k) { return static_cast<int>(celle[k].montagna); },
      field_record(&origine_cella::montagna));
  for (const profile_run& t : d.tunnel_type) {
    if (t.value == 0) continue;
    const double a = static_cast<double>(metri_di_cella(static_cast<std::int64_t>(t.first)));
    const double b = static_cast<double>(metri_di_cella(static_cast<std::int64_t>(t.last) + 1));
    if (!d.tunnels.empty() && d.tunnels.back().to_m >= a && d.tunnels.back().value == t.value &&
        d.tunnels.back().record == t.record) {
      d.tunnels.back().to_m = b;
    } else {
      d.tunnels.push_back({a, b, t.value, t.record});
    }
  }
  if (numero_codici(r.elementi) != 0 &&
      fine_ripetizione(r.elementi) > inizio_ripetizione(r.elementi)) {
    d.coded_zone = drawn_span{
        static_cast<double>(inizio_ripetizione(r.elementi)),
        static_cast<double>(fine_ripetizione(r.elementi)), numero_codici(r.elementi),
        s != nullptr ? s->ultimo[static_cast<std::size_t>(tipo_record::ripetizione_segnali)]
                     : no_record};
  }

  const std::vector<plan_point> points = valued_points(r);
  d.curves = curves_of(points);
  if (s != nullptr) {
    for (drawn_curve& c : d.curves) {
      for (const curva_posata& laid : s->curve) {
        if (static_cast<double>(laid.primo_punto) <= c.to_m &&
            static_cast<double>(laid.ultimo_punto) >= c.from_m + 1) {
          c.record = laid.record;
          break;
        }
      }
    }
  }
  if (!points.empty()) d.plan = plan_levels(points);
  return d;
}

int file_index(file_sorgente f) {
  return f == file_sorgente::servizio ? 1 : f == file_sorgente::linea ? 0 : -1;
}

// Whether a record of this kind puts an object at its position, into cell
// R(p / 50 + 1): signals, slowdowns (their start) and both kinds of board.
bool places_an_object(tipo_record t) {
  return t == tipo_record::segnale || t == tipo_record::rallentamento ||
         t == tipo_record::indicatori_vmax || t == tipo_record::cartello_indicatore;
}

// The cell of a record's position at_m, as the compiler places it: the
// object's cell R(p / 50 + 1) for a record that puts an object there (or
// would have, had the cell been free, which is what its diagnostic names),
// else the profile cell R(p / 50) (where its value begins, or where p falls
// for a record that fills no cell); none outside the model's cells.
std::optional<std::int64_t> record_cell(const sorgenti_modello& s, std::size_t record,
                                        std::int64_t at_m, std::size_t cells) {
  const bool object = record < s.record.size() && places_an_object(s.record[record].tipo);
  const std::int64_t k = object ? cella_oggetto(at_m) : cella_profilo(at_m);
  if (k >= 0 && static_cast<std::size_t>(k) < cells) return k;
  return std::nullopt;
}

// The record's first value when it is a position in metres.
std::optional<std::int64_t> position_of(const record_letto& r, std::string_view text) {
  const descrizione_record& k = descrizione(r.tipo);
  if (k.sezione_generale || k.campi.empty() || k.campi[0].unita != "m" || r.valori.empty()) {
    return std::nullopt;
  }
  const campo_testo& v = r.valori[0];
  if (v.fine < v.inizio || v.fine > text.size()) return std::nullopt;
  return valore_numero(text.substr(v.inizio, v.fine - v.inizio));
}

}  // namespace

std::span<const drawing_colour> drawing_colours() {
  return colours;
}

std::string_view colour_of(std::string_view name) {
  for (const drawing_colour& c : colours) {
    if (c.name == name) return c.rgb;
  }
  return "#000000";
}

std::string drawn_speed_board::label() const {
  std::string t =
      std::to_string(left[0]) + "/" + std::to_string(left[1]) + "/" + std::to_string(left[2]);
  if (right[0] != 0 || right[1] != 0 || right[2] != 0) {
    t += " | " + std::to_string(right[0]) + "/" + std::to_string(right[1]) + "/" +
         std::to_string(right[2]);
  }
  return t;
}

route_drawing drawing_of(const compiled_route& r, const std::string& route,
                         const std::string& train) {
  return build(r, route, train, nullptr);
}

compiled_route compiled_of(const modello_percorso& m) {
  compiled_route r;
  r.elementi = m.elementi;
  r.celle = m.celle;
  if (m.tracciato.creato()) {
    // The geometry is kept as its runs; its points come from the bytes of
    // the line data file, made once on a copy.
    tracciato_piano t = m.tracciato;
    r.tracciato = decodifica_linea_dat(t.byte(), "line data");
  }
  return r;
}

route_drawing drawing_of(const esito_controllo& e, const ingresso_controllo& in) {
  const risultato_compilazione& c = e.compilazione;
  const sorgenti_modello& s = c.sorgenti;
  route_drawing d = c.modello.ha_celle()
                        ? build(compiled_of(c.modello), in.nome_linea, in.numero_treno, &s)
                        : route_drawing{};
  d.route = in.nome_linea;
  d.train = in.numero_treno;
  d.files = {in.nome_file_linea, in.nome_file_servizio};

  const righe_dei_file lines(in);
  const auto source_of = [&](file_sorgente f, std::int32_t riga) {
    return cp1252_to_utf8(lines.riga({f, riga, 0, 0}));
  };
  std::map<std::pair<int, std::int32_t>, std::int32_t> record_at_line;
  for (std::size_t i = 0; i < s.record.size(); ++i) {
    const record_letto& r = s.record[i];
    const std::string_view text = in.testo(r.file);
    drawn_record dr;
    dr.file = file_index(r.file);
    dr.line = r.chiave.riga;
    dr.column = r.chiave.colonna;
    dr.kind = std::string(descrizione(r.tipo).parola_chiave);
    dr.text = source_of(r.file, r.chiave.riga);
    dr.at_m = position_of(r, text);
    record_at_line.emplace(std::make_pair(dr.file, dr.line), static_cast<std::int32_t>(i));
    d.records.push_back(std::move(dr));
  }
  // The record at a place that has a position along the line.
  const auto placed_record = [&](const luogo& l) -> std::optional<std::size_t> {
    const auto it = record_at_line.find({file_index(l.file), l.riga});
    if (it == record_at_line.end()) return std::nullopt;
    const auto i = static_cast<std::size_t>(it->second);
    if (!d.records[i].at_m) return std::nullopt;
    return i;
  };
  for (const diagnostica& g : e.diagnostiche) {
    drawn_diagnostic x;
    x.severity = g.severita() == gravita::errore ? "error" : "warning";
    x.code = g.codice();
    x.id = g.nome();
    x.message = g.messaggio;
    x.file = file_index(g.dove.file);
    x.line = g.dove.riga;
    x.column = g.dove.colonna;
    std::optional<std::size_t> record = placed_record(g.dove);
    for (const nota& n : g.correlate) {
      if (!record) record = placed_record(n.dove);
    }
    if (record) {
      x.at_m = d.records[*record].at_m;
      x.cell = record_cell(s, *record, *x.at_m, d.cells);
    }
    if (g.dove.riga > 0) x.source = source_of(g.dove.file, g.dove.riga);
    d.diagnostics.push_back(std::move(x));
  }
  d.errors = e.errori;
  d.warnings = e.avvisi;
  return d;
}

std::optional<std::int64_t> chainage_at(const route_drawing& d, double m) {
  return progressiva_a(d.chainage, m);
}

std::optional<double> position_of_chainage(const route_drawing& d, std::int64_t chainage_m) {
  return posizione_della_progressiva(d.chainage, chainage_m, d.line_length_m);
}

const plan_level* plan_level_for(const route_drawing& d, double tolerance_m) {
  const plan_level* best = d.plan.empty() ? nullptr : &d.plan.front();
  for (const plan_level& l : d.plan) {
    if (l.tolerance_m <= tolerance_m) best = &l;
  }
  return best;
}

std::optional<plan_point> plan_at(const plan_level& level, double m) {
  const auto& p = level.points;
  if (p.empty()) return std::nullopt;
  const auto it = std::lower_bound(p.begin(), p.end(), m, [](const plan_point& q, double v) {
    return static_cast<double>(q.k) < v;
  });
  if (it == p.begin()) return p.front();
  if (it == p.end()) return p.back();
  const plan_point& b = *it;
  const plan_point& a = *(it - 1);
  const double t = (m - static_cast<double>(a.k)) / static_cast<double>(b.k - a.k);
  return plan_point{static_cast<std::int64_t>(std::llround(m)), a.x + t * (b.x - a.x),
                    a.y + t * (b.y - a.y)};
}

std::vector<plan_point> thin_points(const std::vector<plan_point>& points, double tolerance_m) {
  if (points.size() <= 2) return points;
  std::vector<char> keep(points.size(), 0);
  keep.front() = keep.back() = 1;
  std::vector<std::pair<std::size_t, std::size_t>> todo{{0, points.size() - 1}};
  while (!todo.empty()) {
    const auto [a, b] = todo.back();
    todo.pop_back();
    double worst = -1;
    std::size_t at = a;
    for (std::size_t i = a + 1; i < b; ++i) {
      const double dist = distance_to_segment(points[i], points[a], points[b]);
      if (dist > worst) {
        worst = dist;
        at = i;
      }
    }
    if (b - a > 1 && worst > tolerance_m) {
      keep[at] = 1;
      todo.push_back({a, at});
      todo.push_back({at, b});
    }
  }
  std::vector<plan_point> out;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (keep[i]) out.push_back(points[i]);
  }
  return out;
}

}  // namespace scenario
