#include "tools/route_tool/dump_command.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

#include "base/cp1252.h"
#include "base/file_system.h"
#include "base/text_format.h"
#include "compiler/format/campi.h"
#include "compiler/route_model/misure.h"
#include "compiler/route_model/voci.h"
#include "tools/route_files/route_contents.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/hex_dump.h"
#include "tools/route_tool/json_line.h"

namespace scenario {

namespace {

const elemento& voce_di(const compiled_route& r, int k) {
  return r.elementi[static_cast<std::size_t>(k)];
}

// Pads to `width` characters, counting a UTF-8 sequence as one.
std::string pad(std::string s, std::size_t width, bool right = false) {
  std::size_t chars = 0;
  for (const char ch : s) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  if (chars >= width) return s;
  const std::string fill(width - chars, ' ');
  return right ? fill + s : s + fill;
}

// A station's time; 0 means the train has no timetabled time there.
std::string station_time(std::int32_t orario) {
  return orario == 0 ? std::string("--:--:--") : hh_mm_ss(orario);
}

std::string cell_object(const cella& c, std::size_t k) {
  if (c.tipo != tipo_cella::libera) return nome_oggetto(c.tipo);
  return k == 1 ? "reserved" : "-";
}

std::string cell_values(const cella& c, std::size_t k, const compiled_route& r) {
  if (k == cella_riservata && c.tipo == tipo_cella::libera) {
    const valori_cella_riservata v = spacchetta_cella_riservata(c);
    return "marker " + std::to_string(v.marcatore) + ", competition code (og) " +
           std::to_string(v.codice_gara) + " " + valori_cella(c, r);
  }
  return valori_cella(c, r);
}

// Cell 1's stamps; none without that cell.
valori_cella_riservata cell_one(const compiled_route& r) {
  if (r.celle.size() <= cella_riservata) return {};
  return spacchetta_cella_riservata(r.celle[cella_riservata]);
}

// A series with its origin as written; the file holds it with the 100 m
// the compiler adds to a series in use.
std::string series_line(const compiled_route& r, int k) {
  const elemento& e = voce_di(r, k);
  return "from " + std::to_string(e.inizio) +
         " m, progressive at 0 m = " + km(origine_scritta(r.elementi, k)) + " (stored " +
         std::to_string(e.fine) + "), in use " + std::to_string(e.posizione) +
         (e.posizione == 1 ? "" : " (not used)");
}

std::int64_t board_cell(const compiled_route& r, int slot) {
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    if (r.celle[k].tipo == tipo_cella::cartello_indicatore && r.celle[k].dato1 == slot) {
      return static_cast<std::int64_t>(k);
    }
  }
  return -1;
}

std::string nome_utf8(const elemento& e) {
  return cp1252_to_utf8(e.nome);
}

// To 6 decimals (a micrometre, a millionth of a degree): what lies below is
// the noise of summing thousands of steps. Not finite stays so (null).
double six_decimals(double v) {
  return std::isfinite(v) ? std::round(v * 1e6) / 1e6 : v;
}

// The values of a field list, in its order.
template <class R, class Campi>
std::vector<std::int64_t> values(const R& r, const Campi& campi) {
  std::vector<std::int64_t> v;
  per_ogni_campo(campi, [&](const auto& c) { v.push_back(numero_campo(r, c)); });
  return v;
}

// "1 0 30 0 0".
std::string joined(const std::vector<std::int64_t>& v) {
  std::string t;
  for (const std::int64_t x : v) t += (t.empty() ? "" : " ") + std::to_string(x);
  return t;
}

}  // namespace

void write_dump_text(const compiled_route& r, std::ostream& out) {
  const elemento& e84 = voce_di(r, voce::treno_e_linea);
  const elemento& e85 = voce_di(r, voce::testata_linea);
  const elemento& e86 = voce_di(r, voce::testata_corsa);

  out << "Simulation file " << r.sim_file << " (" << r.sim_bytes << " bytes, 87 entries)\n";
  out << "Header\n";
  out << "  81 kilometric series, greatest start: " << series_line(r, voce::progressiva_tre)
      << '\n';
  out << "  82 kilometric series, middle start:   " << series_line(r, voce::progressiva_due)
      << '\n';
  out << "  83 kilometric series, least start:    " << series_line(r, voce::progressiva_uno)
      << '\n';
  out << "  84 train and line: braked mass " << e84.inizio << " %, line length " << e84.fine
      << " m, " << e84.posizione << " cars\n";
  out << "  85 line header: route \"" << nome_utf8(e85) << "\", backgrounds uno " << e85.inizio
      << ", due " << e85.posizione << ", tre " << e85.fine << ", marker " << e85.dato_i1
      << ", competition code (st) " << e85.orario << '\n';
  out << "  86 run header: train \"" << nome_utf8(e86) << "\", coded zone " << e86.inizio
      << " m to " << e86.fine << " m with " << e86.posizione << " codes, clock "
      << hh_mm_ss(static_cast<std::int64_t>(e86.dato_i3) * 3600 + e86.dato_i4 * 60 + e86.dato_i5)
      << " (" << e86.dato_i3 << " h " << e86.dato_i4 << " min " << e86.dato_i5 << " s), sanding "
      << e86.dato_i1 << '\n';
  out << "  cell 1: marker " << cell_one(r).marcatore << ", competition code (og) "
      << cell_one(r).codice_gara << '\n';

  const slot_elementi slots = trova_slot(r);
  out << "Stations (" << slots.stazioni.size() << ")\n";
  out << "  slot  name                      type     axis    start      end  time      "
         "data (b1 b2 b3 b4 prolunga; i1..i5)\n";
  for (const int k : slots.stazioni) {
    const elemento& e = voce_di(r, k);
    out << "  " << pad(std::to_string(k), 4, true) << "  " << pad(nome_utf8(e), 24) << "  "
        << pad(std::to_string(e.tipo), 4, true) << pad(std::to_string(e.posizione), 9, true)
        << pad(std::to_string(e.inizio), 9, true) << pad(std::to_string(e.fine), 9, true) << "  "
        << station_time(e.orario) << "  " << joined(values(e, campi_byte_stazione)) << "; "
        << joined(values(e, campi_interi_stazione)) << '\n';
  }

  out << "Indication boards (" << slots.cartelli.size() << ")\n";
  for (const int k : slots.cartelli) {
    const std::int64_t c = board_cell(r, k);
    out << "  " << pad(std::to_string(k), 4, true) << "  \"" << nome_utf8(voce_di(r, k)) << "\"";
    if (c >= 0) out << "  in " << cella_in_parole(c);
    out << '\n';
  }

  std::size_t occupate = 0;
  for (const cella& c : r.celle) occupate += cella_occupata(c) ? 1u : 0u;
  out << "Cell data file " << r.cell_file << " (" << r.cell_bytes << " bytes, " << r.celle.size()
      << " cells, " << occupate << " listed)\n";
  out << "   cell   metres  object             values\n";
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    const cella& c = r.celle[k];
    if (!cella_occupata(c)) continue;
    out << "  " << pad(std::to_string(k), 5, true)
        << pad(std::to_string(metri_di_cella(static_cast<std::int64_t>(k))), 9, true) << "  "
        << pad(cell_object(c, k), 17) << "  " << cell_values(c, k, r) << '\n';
  }

  out << "Profile (runs of cells with the same speed, grade, adhesion and tunnel type)\n";
  for (const tratto_profilo& t : tratti_profilo(r.celle)) {
    out << "  cells " << t.prima << "-" << t.ultima << " ("
        << metri_di_cella(static_cast<std::int64_t>(t.prima)) << "-"
        << metri_di_cella(static_cast<std::int64_t>(t.ultima) + 1) << " m): ";
    if (t.velocita == 0 && t.pendenza == 0 && t.aderenza == 0 && t.montagna == 0) {
      out << "no profile values\n";
      continue;
    }
    out << "speed " << int{t.velocita} * 5 << " km/h, grade " << int{t.pendenza} - 100
        << " per mille, adhesion " << int{t.aderenza} << ", "
        << (t.montagna == 0 ? std::string("open air") : "tunnel type " + std::to_string(t.montagna))
        << '\n';
  }

  const sommario_geometria g = riassumi_geometria(r);
  out << "Line data file " << r.line_file << " (" << r.line_bytes << " bytes)\n";
  out << "  " << g.punti << " points per column, " << g.punti_valorizzati << " with a value\n";
  if (g.ha_punto_linea) {
    out << "  line end (" << r.lunghezza_percorso() << " m): x " << fixed_decimals(g.x_linea, 3)
        << " m, y " << fixed_decimals(g.y_linea, 3) << " m\n";
  }
  out << "  last point: x " << fixed_decimals(g.x_fine, 3) << " m, y "
      << fixed_decimals(g.y_fine, 3) << " m\n";
  out << "  length along the points " << fixed_decimals(g.lunghezza, 3) << " m; turning: net "
      << fixed_decimals(g.curvatura_netta, 3) << " degrees (positive to the right), total "
      << fixed_decimals(g.curvatura_totale, 3) << " degrees\n";
  out << "  extent: x " << fixed_decimals(g.x_min, 1) << " to " << fixed_decimals(g.x_max, 1)
      << " m, y " << fixed_decimals(g.y_min, 1) << " to " << fixed_decimals(g.y_max, 1) << " m\n";
}

void write_dump_json(const compiled_route& r, std::ostream& out) {
  using json = nlohmann::ordered_json;
  const auto series = [&](int k) {
    const elemento& e = voce_di(r, k);
    return json{{"entry", k},
                {"start_m", e.inizio},
                {"origin_m", origine_scritta(r.elementi, k)},
                {"stored_origin_m", e.fine},
                {"in_use", e.posizione}};
  };
  const elemento& e84 = voce_di(r, voce::treno_e_linea);
  const elemento& e85 = voce_di(r, voce::testata_linea);
  const elemento& e86 = voce_di(r, voce::testata_corsa);
  json j;
  j["files"] = {{"simulation", {{"name", r.sim_file}, {"bytes", r.sim_bytes}}},
                {"cells", {{"name", r.cell_file}, {"bytes", r.cell_bytes}}},
                {"line", {{"name", r.line_file}, {"bytes", r.line_bytes}}}};
  j["header"] = {
      {"kilometric_series",
       {series(voce::progressiva_tre), series(voce::progressiva_due),
        series(voce::progressiva_uno)}},
      {"braked_mass_percent", e84.inizio},
      {"line_length_m", e84.fine},
      {"cars", e84.posizione},
      {"route", nome_utf8(e85)},
      {"backgrounds", {e85.inizio, e85.posizione, e85.fine}},
      {"marker", e85.dato_i1},
      {"competition_code_st", e85.orario},
      {"train", nome_utf8(e86)},
      {"coded_zone", {{"start_m", e86.inizio}, {"end_m", e86.fine}, {"codes", e86.posizione}}},
      {"clock",
       hh_mm_ss(static_cast<std::int64_t>(e86.dato_i3) * 3600 + e86.dato_i4 * 60 + e86.dato_i5)},
      {"sanding", e86.dato_i1},
      {"cell_marker", cell_one(r).marcatore},
      {"competition_code_og", cell_one(r).codice_gara}};

  const slot_elementi slots = trova_slot(r);
  json& stations = j["stations"] = json::array();
  for (const int k : slots.stazioni) {
    const elemento& e = voce_di(r, k);
    json station = {{"slot", k},
                    {"name", nome_utf8(e)},
                    {"type", int{e.tipo}},
                    {"position_m", e.posizione},
                    {"start_m", e.inizio},
                    {"end_m", e.fine},
                    {"time", e.orario == 0 ? json(nullptr) : json(hh_mm_ss(e.orario))},
                    {"orario", e.orario}};
    per_ogni_campo(campi_byte_stazione,
                   [&](const auto& c) { station[std::string(c.nome)] = numero_campo(e, c); });
    station["dato_i"] = values(e, campi_interi_stazione);
    stations.push_back(std::move(station));
  }
  json& boards = j["boards"] = json::array();
  for (const int k : slots.cartelli) {
    const std::int64_t c = board_cell(r, k);
    boards.push_back({{"slot", k},
                      {"text", nome_utf8(voce_di(r, k))},
                      {"cell", c >= 0 ? json(c) : json(nullptr)}});
  }
  json& cells = j["cells"] = json::array();
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    const cella& c = r.celle[k];
    if (!cella_occupata(c)) continue;
    cells.push_back({{"index", k},
                     {"metres", metri_di_cella(static_cast<std::int64_t>(k))},
                     {"tipo", int{c.tipo}},
                     {"object", nome_oggetto(c.tipo)},
                     {"values", valori_cella(c, r)},
                     {"dato", values(c, campi_oggetto)},
                     {"segno", int{c.segno}}});
  }
  json& profile = j["profile"] = json::array();
  for (const tratto_profilo& t : tratti_profilo(r.celle)) {
    profile.push_back({{"first_cell", t.prima},
                       {"last_cell", t.ultima},
                       {"speed_kmh", int{t.velocita} * 5},
                       {"grade_per_mille", int{t.pendenza} - 100},
                       {"adhesion", int{t.aderenza}},
                       {"tunnel", int{t.montagna}}});
  }
  const sommario_geometria g = riassumi_geometria(r);
  j["geometry"] = {{"points", g.punti},
                   {"points_with_value", g.punti_valorizzati},
                   {"end", {six_decimals(g.x_fine), six_decimals(g.y_fine)}},
                   {"length_m", six_decimals(g.lunghezza)},
                   {"net_turning_deg", six_decimals(g.curvatura_netta)},
                   {"total_turning_deg", six_decimals(g.curvatura_totale)}};
  out << json_line(j) << '\n';
}

int run_dump(const dump_options& o, std::ostream& out) {
  disk_file_system disk;
  const compiled_set set = find_compiled_set(o.dir, o.route, o.train);
  if (o.format == dump_format::hex) {
    hex_dump_sink sink(out);
    load_compiled_route(disk, set.folder, set.route, set.train, &sink);
    return 0;
  }
  const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
  if (o.format == dump_format::json) {
    write_dump_json(r, out);
  } else {
    write_dump_text(r, out);
  }
  return 0;
}

}  // namespace scenario
