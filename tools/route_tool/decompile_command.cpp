#include "tools/route_tool/decompile_command.h"

#include <filesystem>
#include <ostream>

#include "base/cp1252.h"
#include "base/file_system.h"
#include "base/text_format.h"
#include "base/utf8.h"
#include "compiler/placement/posa_marcatori.h"
#include "compiler/route_model/misure.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"

namespace scenario {

namespace {

using decompile::place;

std::string voce_in_parole(std::int64_t k) {
  switch (k) {
    case 0:
      return "entry 0 (never filled)";
    case voce::progressiva_tre:
    case voce::progressiva_due:
    case voce::progressiva_uno:
      return "entry " + std::to_string(k) + " (kilometric series)";
    case voce::treno_e_linea:
      return "entry 84 (train and line figures)";
    case voce::testata_linea:
      return "entry 85 (line header)";
    case voce::testata_corsa:
      return "entry 86 (run header)";
    default:
      return "entry " + std::to_string(k) + " (station or board text)";
  }
}

std::string testo_luogo(const decompile::location& at) {
  switch (at.where) {
    case place::cell:
      return cella_in_parole(at.index);
    case place::entry:
      return voce_in_parole(at.index);
    case place::point:
      return "point " + std::to_string(at.index);
  }
  return {};
}

const std::string& file_di(const compiled_route& r, place p) {
  switch (p) {
    case place::cell:
      return r.cell_file;
    case place::entry:
      return r.sim_file;
    case place::point:
      break;
  }
  return r.line_file;
}

std::string campi(const std::vector<decompile::field_difference>& f) {
  std::string s;
  for (const auto& d : f) {
    if (!s.empty()) s += ", ";
    s += d.field + " " + utf8_sanitised(cp1252_to_utf8(d.in_file)) + " in the file, " +
         utf8_sanitised(cp1252_to_utf8(d.from_text)) + " from the text";
  }
  return s;
}

std::string quanti(std::size_t n, const char* uno, const char* molti) {
  return plural(n, uno, molti);
}

}  // namespace

void write_decompile_diagnostics(const compiled_route& r, const decompile::verification& v,
                                 std::ostream& err) {
  if (v.no_files) {
    err << "route_tool: error: " << *v.no_files << "\n";
    return;
  }
  for (const decompile::difference& d : v.differences) {
    const std::string why = d.why.empty() ? "no record gives this back" : d.why;
    err << file_di(r, d.at.where) << ": error: " << testo_luogo(d.at) << ": " << why << ": "
        << campi(d.fields) << "\n";
  }
  const std::size_t elencate = v.differences.size();
  const std::size_t tutte = v.cells + v.entries + v.points;
  if (tutte > elencate) {
    err << "route_tool: error: " << tutte - elencate << " more differences not listed\n";
  }
}

int run_decompile(const decompile_options& o, std::ostream& out, std::ostream& err) {
  disk_file_system disk;
  const compiled_set set = find_compiled_set(o.dir, o.route, o.train);
  const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
  const decompile::decompiled_route d = decompile::decompile_route(r, set.route, set.train);

  const std::filesystem::path out_dir = o.out_dir.empty() ? "." : o.out_dir;
  prepare_out_dir(out_dir);
  const program_folder cartella{out_dir,
                                static_cast<char>(std::filesystem::path::preferred_separator)};
  const std::string linea = o.line_file.empty()
                                ? file_path(cartella, nome_file_linea_txt(set.route)).string()
                                : o.line_file;
  const std::string servizio =
      o.service_file.empty()
          ? file_path(cartella, nome_file_servizio_txt(set.route, set.train)).string()
          : o.service_file;
  for (const auto& [nome, testo] : {std::pair{linea, &d.line_text}, {servizio, &d.service_text}}) {
    try {
      disk.write_file(nome, *testo);
    } catch (const file_error& e) {
      throw usage_error("cannot write '" + nome + "': " + e.reason());
    }
  }

  out << "route_tool: decompiled route '" << set.route << "', train '" << set.train << "' from '"
      << (o.dir.empty() ? "." : o.dir) << "'\n";
  out << "  wrote " << linea << "\n";
  out << "  wrote " << servizio << "\n";
  if (d.check.exact) {
    out << "  compiling them gives the same three files, byte for byte\n";
    return 0;
  }
  out.flush();
  write_decompile_diagnostics(r, d.check, err);
  if (!d.check.no_files) {
    err << "route_tool: error: no text gives these files back: "
        << quanti(d.check.cells, "cell", "cells") << ", "
        << quanti(d.check.entries, "entry", "entries") << " and "
        << quanti(d.check.points, "point", "points")
        << " differ from what the closest text compiles to\n";
  }
  return 1;
}

}  // namespace scenario
