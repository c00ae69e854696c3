#include "tools/route_tool/timing_command.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "base/cp1252.h"
#include "base/file_system.h"
#include "base/path_utf8.h"
#include "base/text_format.h"
#include "compiler/compila.h"
#include "compiler/marcia/guasti_orario.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "compiler/route_model/misure.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/scenario_names.h"
#include "tools/route_tool/view_command.h"
#include "tools/timing/compiled_timing_line.h"
#include "tools/timing/train_model_file.h"

namespace scenario {

namespace {

struct timed_route {
  std::string route;
  std::string train;
  linea_marcia line;
  std::optional<std::string> compile_note;  // the compile step's fault, if any
  modello_treno model;
  std::optional<std::filesystem::path> model_file;
};

timed_route from_texts(const timing_options& o) {
  disk_file_system disk;
  const std::string line = read_input(disk, "line description file", *o.line_file);
  const std::string service = read_input(disk, "service file", *o.service_file);
  timed_route t;
  const scenario_names names =
      names_of_texts("timing", o.route, o.train, *o.line_file, *o.service_file);
  t.route = names.route;
  t.train = names.train;
  const risultato_compilazione r =
      compila({line, service}, opzioni_compilazione_marcia(t.route, t.train));
  if (r.esito == esito_compilazione::senza_modello) {
    throw usage_error("the line description file '" + *o.line_file +
                      "' gives no route to time (the compile step read no \"lunghezza percorso\"; "
                      "see 'route_tool check')");
  }
  if (r.modello.codice_errore != 0) {
    t.compile_note = "the compile step records error " + std::to_string(r.modello.codice_errore) +
                     " (see 'route_tool check'): the route is timed as far as it was read";
  }
  t.line = linea_da_modello(r.modello, r.sorgenti);
  chosen_train_model c = choose_train_model(o.train_model, find_train_model(*o.service_file));
  t.model = c.model;
  t.model_file = c.file;
  return t;
}

timed_route from_folder(const timing_options& o) {
  disk_file_system disk;
  const compiled_set set = find_compiled_set(o.dir.value_or("."), o.route, o.train);
  timed_route t;
  t.route = set.route;
  t.train = set.train;
  t.line = timing_line_of(load_compiled_route(disk, set.folder, set.route, set.train));
  chosen_train_model c =
      choose_train_model(o.train_model, find_train_model_in(set.folder.dir, set.route, set.train));
  t.model = c.model;
  t.model_file = c.file;
  return t;
}

std::string utf8(const std::string& cp1252) {
  return cp1252_to_utf8(cp1252);
}

// Characters of UTF-8 text, for columns.
std::size_t width_of(const std::string& s) {
  std::size_t n = 0;
  for (const char ch : s) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

std::string pad(const std::string& s, std::size_t width, bool right = false) {
  const std::size_t w = width_of(s);
  if (w >= width) return s;
  const std::string fill(width - w, ' ');
  return right ? fill + s : s + fill;
}

// "10:09.2" (minutes, seconds and tenths), "1:02:05.0" past an hour.
std::string running_time(double s) {
  const bool negative = s < 0.0;
  const auto tenths = static_cast<std::int64_t>(std::llround(std::fabs(s) * 10.0));
  const std::int64_t whole = tenths / 10;
  std::string out = negative ? "-" : "";
  if (whole >= 3600) out += std::to_string(whole / 3600) + ":";
  const std::int64_t m = whole / 60 % 60;
  out += whole >= 3600 && m < 10 ? "0" : "";
  out += std::to_string(whole >= 3600 ? m : whole / 60) + ":";
  const std::int64_t sec = whole % 60;
  out += (sec < 10 ? "0" : "") + std::to_string(sec) + "." + std::to_string(tenths % 10);
  return out;
}

// "11:00", whole seconds of the timetable.
std::string timetable_time(double s) {
  std::string t = running_time(s);
  return t.substr(0, t.size() - 2);
}

std::string time_of_day(double s) {
  return hh_mm_ss(std::llround(s));
}

std::string train_line(const timed_route& t, const treno_marcia& tr) {
  std::string s = "Train: " + std::to_string(t.line.numero_vetture) + " cars, " +
                  short_decimals(tr.massa / 1000.0, 1) + " t, " + short_decimals(tr.lunghezza, 1) +
                  " m, " + short_decimals(tr.velocita_massima * 3.6, 1) + " km/h, " +
                  short_decimals(tr.potenza / 1000.0, 1) + " kW; train model: ";
  s += t.model_file ? path_utf8(*t.model_file) : std::string("built-in defaults");
  return s;
}

void print_table(const timed_route& t, const esito_marcia& e, std::ostream& out) {
  out << "Running times: route " << t.route << ", train " << t.train << '\n';
  if (t.compile_note) out << "Note: " << *t.compile_note << '\n';
  if (e.treno) out << train_line(t, *e.treno) << '\n';
  const std::vector<stazione_marcia>& st = t.line.stazioni;
  if (e.impedimento) {
    out << "\nCannot time the run: " << utf8(e.impedimento->testo) << '\n';
    return;
  }

  std::size_t name_width = std::string("Whole run").size();
  for (const stazione_marcia& s : st) name_width = std::max(name_width, width_of(utf8(s.nome)));
  name_width += 2;
  if (e.sezioni.empty()) {
    out << "\nNo sections: the service file gives fewer than two stations a time.\n";
  } else {
    out << '\n'
        << pad("From", name_width) << pad("To", name_width) << pad("Distance", 10, true)
        << pad("Fastest", 11, true) << pad("Timetable", 11, true) << pad("Margin", 20, true)
        << '\n';
    const auto row = [&](const std::string& from, const std::string& to, const sezione_marcia& z) {
      out << pad(from, name_width) << pad(to, name_width)
          << pad(std::to_string(std::llround(z.distanza)) + " m", 10, true)
          << pad(running_time(z.tempo_minimo), 11, true)
          << pad(timetable_time(z.tempo_orario), 11, true)
          << pad(fixed_decimals(z.margine, 1) + " s", 10, true)
          << pad(fixed_decimals(z.margine_percento, 1) + " %", 10, true);
      if (!z.percorribile()) out << "  cannot be driven";
      out << '\n';
    };
    for (const sezione_marcia& z : e.sezioni) row(utf8(st[z.da].nome), utf8(st[z.a].nome), z);
    if (e.intera) {
      row("Whole run", utf8(st[e.intera->da].nome) + " - " + utf8(st[e.intera->a].nome), *e.intera);
    }
    out << "Fastest: from the departure, with the minimum dwell of "
        << short_decimals(e.treno->sosta_minima, 1)
        << " s at the section's end\n(none at the last station).\n";
  }

  out << '\n'
      << pad("Station", name_width) << pad("Position", 10, true) << pad("Timetable", 11, true)
      << pad("Arrival", 10, true) << pad("Departure", 11, true) << '\n';
  for (const orario_stazione& o : e.stazioni) {
    const stazione_marcia& s = st[o.stazione];
    const bool first = o.stazione == 0;
    const bool last = o.stazione + 1 == st.size();
    out << pad(utf8(s.nome), name_width)
        << pad(std::to_string(std::llround(s.posizione)) + " m", 10, true)
        << pad(s.orario ? hh_mm_ss(*s.orario) : "-", 11, true)
        << pad(first ? "-" : time_of_day(o.arrivo), 10, true)
        << pad(last ? "-" : time_of_day(o.partenza), 11, true);
    if (!o.ferma) out << "  passes (computed)";
    out << '\n';
  }

  const std::vector<guasto_orario> faults = guasti_orario(t.line, &e);
  if (!faults.empty()) out << '\n';
  for (const guasto_orario& g : faults) {
    out << (g.tipo == tipo_guasto_orario::sezione_troppo_breve ? "Cannot be driven: "
                                                               : "Timetable: ")
        << utf8(testo_guasto_orario(t.line, g)) << '\n';
  }
}

double tenth(double v) {
  return std::round(v * 10.0) / 10.0;
}

nlohmann::ordered_json section_json(const linea_marcia& l, const sezione_marcia& z) {
  nlohmann::ordered_json j;
  j["from"] = utf8(l.stazioni[z.da].nome);
  j["to"] = utf8(l.stazioni[z.a].nome);
  j["distance_m"] = tenth(z.distanza);
  j["fastest_s"] = tenth(z.tempo_minimo);
  j["timetable_s"] = tenth(z.tempo_orario);
  j["margin_s"] = tenth(z.margine);
  j["margin_percent"] = tenth(z.margine_percento);
  j["drivable"] = z.percorribile();
  return j;
}

void print_json(const timed_route& t, const esito_marcia& e, std::ostream& out) {
  using json = nlohmann::ordered_json;
  json j;
  j["route"] = t.route;
  j["train"] = t.train;
  j["train_model_file"] = t.model_file ? json(path_utf8(*t.model_file)) : json(nullptr);
  j["train_model"] = json::parse(json_modello_treno(t.model));
  j["cars"] = t.line.numero_vetture;
  j["braked_mass_percent"] = t.line.percentuale_massa_frenata;
  if (e.treno) {
    j["mass_t"] = e.treno->massa / 1000.0;
    j["length_m"] = e.treno->lunghezza;
  }
  j["compile_note"] = t.compile_note ? json(*t.compile_note) : json(nullptr);
  if (e.impedimento) {
    j["reason"] = {{"position_m", tenth(e.impedimento->posizione)},
                   {"text", utf8(e.impedimento->testo)}};
  } else {
    j["reason"] = nullptr;
  }
  j["sections"] = json::array();
  for (const sezione_marcia& z : e.sezioni) j["sections"].push_back(section_json(t.line, z));
  j["whole_run"] = e.intera ? section_json(t.line, *e.intera) : json(nullptr);
  j["stations"] = json::array();
  for (const orario_stazione& o : e.stazioni) {
    const stazione_marcia& s = t.line.stazioni[o.stazione];
    json js;
    js["name"] = utf8(s.nome);
    js["position_m"] = s.posizione;
    js["timetable"] = s.orario ? json(hh_mm_ss(*s.orario)) : json(nullptr);
    js["stops"] = o.ferma;
    js["arrival_s"] = tenth(o.arrivo);
    js["departure_s"] = tenth(o.partenza);
    js["arrival"] = time_of_day(o.arrivo);
    js["departure"] = time_of_day(o.partenza);
    j["stations"].push_back(js);
  }
  j["faults"] = json::array();
  for (const guasto_orario& g : guasti_orario(t.line, &e)) {
    static constexpr const char* kinds[] = {"not_after_previous", "section_too_short",
                                            "outside_the_day"};
    j["faults"].push_back({{"kind", kinds[static_cast<int>(g.tipo)]},
                           {"station", utf8(t.line.stazioni[g.stazione].nome)},
                           {"text", utf8(testo_guasto_orario(t.line, g))}});
  }
  j["drivable"] = e.percorribile();
  out << j.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
}

std::string profile_csv(const esito_marcia& e) {
  std::string csv = "position_m,speed_kmh,limit_kmh,time_s,time\n";
  for (const punto_marcia& p : e.profilo) {
    csv += fixed_decimals(p.posizione, 1) + "," + fixed_decimals(p.velocita_kmh, 1) + "," +
           fixed_decimals(p.limite_kmh, 1) + "," + fixed_decimals(p.orario, 1) + "," +
           time_of_day(p.orario) + "\n";
  }
  return csv;
}

}  // namespace

int run_timing(const timing_options& o, std::ostream& out) {
  const timed_route t = o.line_file ? from_texts(o) : from_folder(o);
  const esito_marcia e = calcola_marcia(t.line, t.model);
  if (o.profile) write_output(*o.profile, profile_csv(e));
  if (o.json) {
    print_json(t, e, out);
  } else {
    print_table(t, e, out);
  }
  return e.percorribile() ? 0 : 1;
}

}  // namespace scenario
