#include "tools/route_tool/dump_command.h"

#include <cstdio>
#include <ostream>

#include "base/cp1252.h"
#include "base/file_system.h"
#include "base/text_format.h"
#include "compiler/route_model/misure.h"
#include "tools/route_files/route_contents.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/hex_dump.h"

namespace scenario {

namespace {

const elemento& voce_di(const compiled_route& r, int k) {
  return r.elementi[static_cast<std::size_t>(k)];
}

std::string fixed(double v, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
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
  if (k == 1 && c.tipo == tipo_cella::libera) {
    return "marker " + std::to_string(c.dato1) + ", competition code (og) " +
           std::to_string(c.dato2) + " " + valori_cella(c, r);
  }
  return valori_cella(c, r);
}

std::int16_t cell_one(const compiled_route& r, bool second) {
  if (r.celle.size() < 2) return 0;
  return second ? r.celle[1].dato2 : r.celle[1].dato1;
}

std::string series_line(const compiled_route& r, int k) {
  const elemento& e = voce_di(r, k);
  return "from " + std::to_string(e.inizio) + " m, progressive at 0 m = " + metri_e_km(e.fine) +
         ", in use " + std::to_string(e.posizione) + (e.posizione == 1 ? "" : " (not used)");
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
  out << "  84 train and line: braked mass " << e84.inizio << " %, line length "
      << metri_e_km(e84.fine) << ", " << e84.posizione << " cars\n";
  out << "  85 line header: route \"" << nome_utf8(e85) << "\", backgrounds uno " << e85.inizio
      << ", due " << e85.posizione << ", tre " << e85.fine << ", marker " << e85.dato_i1
      << ", competition code (st) " << e85.orario << '\n';
  out << "  86 run header: train \"" << nome_utf8(e86) << "\", coded zone " << e86.inizio
      << " m to " << e86.fine << " m with " << e86.posizione << " codes, clock "
      << hh_mm_ss(static_cast<std::int64_t>(e86.dato_i3) * 3600 + e86.dato_i4 * 60 + e86.dato_i5)
      << " (" << e86.dato_i3 << " h " << e86.dato_i4 << " min " << e86.dato_i5 << " s), sanding "
      << e86.dato_i1 << '\n';
  out << "  cell 1: marker " << cell_one(r, false) << ", competition code (og) "
      << cell_one(r, true) << '\n';

  const slot_elementi slots = trova_slot(r);
  out << "Stations (" << slots.stazioni.size() << ")\n";
  out << "  slot  name                      type     axis    start      end  time      "
         "data (b1 b2 b3 b4 prolunga; i1..i5)\n";
  for (const int k : slots.stazioni) {
    const elemento& e = voce_di(r, k);
    out << "  " << pad(std::to_string(k), 4, true) << "  " << pad(nome_utf8(e), 24) << "  "
        << pad(std::to_string(e.tipo), 4, true) << pad(std::to_string(e.posizione), 9, true)
        << pad(std::to_string(e.inizio), 9, true) << pad(std::to_string(e.fine), 9, true) << "  "
        << station_time(e.orario) << "  " << int{e.dato_b1} << " " << int{e.dato_b2} << " "
        << int{e.dato_b3} << " " << int{e.dato_b4} << " " << int{e.prolunga} << "; " << e.dato_i1
        << " " << e.dato_i2 << " " << e.dato_i3 << " " << e.dato_i4 << " " << e.dato_i5 << '\n';
  }

  out << "Indication boards (" << slots.cartelli.size() << ")\n";
  for (const int k : slots.cartelli) {
    const std::int64_t c = board_cell(r, k);
    out << "  " << pad(std::to_string(k), 4, true) << "  \"" << nome_utf8(voce_di(r, k)) << "\"";
    if (c >= 0) out << "  in cell " << c << " (" << c * 50 << " m)";
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
    out << "  " << pad(std::to_string(k), 5, true) << pad(std::to_string(k * 50), 9, true) << "  "
        << pad(cell_object(c, k), 17) << "  " << cell_values(c, k, r) << '\n';
  }

  out << "Profile (runs of cells with the same speed, grade, adhesion and tunnel type)\n";
  for (const tratto_profilo& t : tratti_profilo(r.celle)) {
    out << "  cells " << t.prima << "-" << t.ultima << " (" << t.prima * 50 << "-"
        << (t.ultima + 1) * 50 << " m): ";
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
    out << "  line end (" << r.lunghezza_percorso() << " m): x " << fixed(g.x_linea, 3) << " m, y "
        << fixed(g.y_linea, 3) << " m\n";
  }
  out << "  last point: x " << fixed(g.x_fine, 3) << " m, y " << fixed(g.y_fine, 3) << " m\n";
  out << "  length along the points " << fixed(g.lunghezza, 3) << " m; turning: net "
      << fixed(g.curvatura_netta, 3) << " degrees (positive to the right), total "
      << fixed(g.curvatura_totale, 3) << " degrees\n";
  out << "  extent: x " << fixed(g.x_min, 1) << " to " << fixed(g.x_max, 1) << " m, y "
      << fixed(g.y_min, 1) << " to " << fixed(g.y_max, 1) << " m\n";
}

void write_dump_json(const compiled_route& r, std::ostream& out) {
  const auto num = [](auto v) { return std::to_string(v); };
  const auto series = [&](int k) {
    const elemento& e = voce_di(r, k);
    return "{\"entry\": " + num(k) + ", \"start_m\": " + num(e.inizio) +
           ", \"origin_m\": " + num(e.fine) + ", \"in_use\": " + num(e.posizione) + "}";
  };
  const elemento& e84 = voce_di(r, voce::treno_e_linea);
  const elemento& e85 = voce_di(r, voce::testata_linea);
  const elemento& e86 = voce_di(r, voce::testata_corsa);
  std::string j = "{";
  j += "\"files\": {\"simulation\": {\"name\": " + json_string(r.sim_file) +
       ", \"bytes\": " + num(r.sim_bytes) + "}, \"cells\": {\"name\": " + json_string(r.cell_file) +
       ", \"bytes\": " + num(r.cell_bytes) + "}, \"line\": {\"name\": " + json_string(r.line_file) +
       ", \"bytes\": " + num(r.line_bytes) + "}}";
  j += ", \"header\": {\"kilometric_series\": [" + series(voce::progressiva_tre) + ", " +
       series(voce::progressiva_due) + ", " + series(voce::progressiva_uno) + "]";
  j += ", \"braked_mass_percent\": " + num(e84.inizio) + ", \"line_length_m\": " + num(e84.fine) +
       ", \"cars\": " + num(e84.posizione);
  j += ", \"route\": " + json_string(nome_utf8(e85)) + ", \"backgrounds\": [" + num(e85.inizio) +
       ", " + num(e85.posizione) + ", " + num(e85.fine) + "], \"marker\": " + num(e85.dato_i1) +
       ", \"competition_code_st\": " + num(e85.orario);
  j += ", \"train\": " + json_string(nome_utf8(e86)) +
       ", \"coded_zone\": {\"start_m\": " + num(e86.inizio) + ", \"end_m\": " + num(e86.fine) +
       ", \"codes\": " + num(e86.posizione) + "}, \"clock\": " +
       json_string(hh_mm_ss(static_cast<std::int64_t>(e86.dato_i3) * 3600 + e86.dato_i4 * 60 +
                            e86.dato_i5)) +
       ", \"sanding\": " + num(e86.dato_i1);
  j += ", \"cell_marker\": " + num(cell_one(r, false)) +
       ", \"competition_code_og\": " + num(cell_one(r, true)) + "}";

  const slot_elementi slots = trova_slot(r);
  j += ", \"stations\": [";
  for (std::size_t i = 0; i < slots.stazioni.size(); ++i) {
    const int k = slots.stazioni[i];
    const elemento& e = voce_di(r, k);
    j += std::string(i ? ", " : "") + "{\"slot\": " + num(k) +
         ", \"name\": " + json_string(nome_utf8(e)) + ", \"type\": " + num(int{e.tipo}) +
         ", \"position_m\": " + num(e.posizione) + ", \"start_m\": " + num(e.inizio) +
         ", \"end_m\": " + num(e.fine) +
         ", \"time\": " + (e.orario == 0 ? std::string("null") : json_string(hh_mm_ss(e.orario))) +
         ", \"orario\": " + num(e.orario) + ", \"dato_b1\": " + num(int{e.dato_b1}) +
         ", \"dato_b2\": " + num(int{e.dato_b2}) + ", \"dato_b3\": " + num(int{e.dato_b3}) +
         ", \"dato_b4\": " + num(int{e.dato_b4}) + ", \"prolunga\": " + num(int{e.prolunga}) +
         ", \"dato_i\": [" + num(e.dato_i1) + ", " + num(e.dato_i2) + ", " + num(e.dato_i3) + ", " +
         num(e.dato_i4) + ", " + num(e.dato_i5) + "]}";
  }
  j += "], \"boards\": [";
  for (std::size_t i = 0; i < slots.cartelli.size(); ++i) {
    const int k = slots.cartelli[i];
    const std::int64_t c = board_cell(r, k);
    j += std::string(i ? ", " : "") + "{\"slot\": " + num(k) +
         ", \"text\": " + json_string(nome_utf8(voce_di(r, k))) +
         ", \"cell\": " + (c >= 0 ? num(c) : std::string("null")) + "}";
  }
  j += "], \"cells\": [";
  bool first = true;
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    const cella& c = r.celle[k];
    if (!cella_occupata(c)) continue;
    j += std::string(first ? "" : ", ") + "{\"index\": " + num(k) + ", \"metres\": " + num(k * 50) +
         ", \"tipo\": " + num(int{c.tipo}) + ", \"object\": " + json_string(nome_oggetto(c.tipo)) +
         ", \"values\": " + json_string(valori_cella(c, r)) + ", \"dato\": [" + num(c.dato1) +
         ", " + num(c.dato2) + ", " + num(c.dato3) + ", " + num(c.dato4) + ", " +
         num(int{c.dato5}) + "], \"segno\": " + num(int{c.segno}) + "}";
    first = false;
  }
  j += "], \"profile\": [";
  first = true;
  for (const tratto_profilo& t : tratti_profilo(r.celle)) {
    j += std::string(first ? "" : ", ") + "{\"first_cell\": " + num(t.prima) +
         ", \"last_cell\": " + num(t.ultima) + ", \"speed_kmh\": " + num(int{t.velocita} * 5) +
         ", \"grade_per_mille\": " + num(int{t.pendenza} - 100) +
         ", \"adhesion\": " + num(int{t.aderenza}) + ", \"tunnel\": " + num(int{t.montagna}) + "}";
    first = false;
  }
  const sommario_geometria g = riassumi_geometria(r);
  j += "], \"geometry\": {\"points\": " + num(g.punti) +
       ", \"points_with_value\": " + num(g.punti_valorizzati) + ", \"end\": [" +
       json_number(g.x_fine, 6) + ", " + json_number(g.y_fine, 6) +
       "], \"length_m\": " + json_number(g.lunghezza, 6) +
       ", \"net_turning_deg\": " + json_number(g.curvatura_netta, 6) +
       ", \"total_turning_deg\": " + json_number(g.curvatura_totale, 6) + "}";
  j += "}";
  out << j << '\n';
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
