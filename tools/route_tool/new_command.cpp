#include "tools/route_tool/new_command.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "base/file_system.h"
#include "compiler/documenti/dati_documenti.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/scenario_template.h"
#include "tools/route_tool/sheets_command.h"

namespace scenario {

namespace {

bool letter_or_digit(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string route_name_fault(const std::string& name) {
  if (name.empty()) return "it is empty";
  if (!letter_or_digit(name.front())) return "it must start with a letter or a digit";
  const auto bad = std::find_if(name.begin(), name.end(),
                                [](char c) { return !letter_or_digit(c) && c != '_' && c != '-'; });
  if (bad != name.end()) {
    return std::string("'") + *bad +
           "' cannot stand in a file name here (letters, digits, '_' and '-')";
  }
  return {};
}

std::string train_number_fault(const std::string& number) {
  if (number.empty()) return "it is empty";
  const auto bad =
      std::find_if(number.begin(), number.end(), [](char c) { return !letter_or_digit(c); });
  if (bad != number.end()) {
    return std::string("'") + *bad + "' cannot stand in it (letters and digits only)";
  }
  return {};
}

int run_new(const new_options& o, std::ostream& out, std::ostream&) {
  if (const std::string fault = route_name_fault(o.route); !fault.empty()) {
    throw usage_error("'" + o.route + "' cannot be a route name: " + fault);
  }
  if (const std::string fault = train_number_fault(o.train); !fault.empty()) {
    throw usage_error("'" + o.train + "' cannot be a train number: " + fault);
  }
  const std::string line(embedded::template_line);
  const std::string service(embedded::template_service);
  dati_da_testi_esito data = dati_da_testi(line, service, o.route, o.train);
  // The template is the documented example, which checks clean: its data
  // always make the documents.
  if (!data.dati) throw std::logic_error("the scenario template does not compile: " + data.errore);
  const driver_documents documents = make_driver_documents(*data.dati, data.linea, modello_treno{});

  const std::filesystem::path out_dir = o.out_dir.empty() ? "." : o.out_dir;
  const program_folder folder{out_dir,
                              static_cast<char>(std::filesystem::path::preferred_separator)};
  const std::array<std::pair<std::string, const std::string*>, 4> files = {{
      {file_path(folder, nome_file_linea_txt(o.route)).string(), &line},
      {file_path(folder, nome_file_servizio_txt(o.route, o.train)).string(), &service},
      {file_path(folder, nome_file_scheda(o.route, o.train)).string(), &documents.sheet},
      {file_path(folder, nome_file_rallentamenti(o.route, o.train)).string(), &documents.form},
  }};
  // Nothing is written over an author's work without --force, and nothing at
  // all when one file stands in the way.
  if (!o.force) {
    for (const auto& [name, content] : files) {
      std::error_code ec;
      if (std::filesystem::exists(name, ec)) {
        throw usage_error("'" + name +
                          "' exists already; choose another name or folder, or give --force");
      }
    }
  }
  prepare_out_dir(out_dir);
  disk_file_system disk;
  for (const auto& [name, content] : files) {
    try {
      disk.write_file(name, *content);
    } catch (const file_error& e) {
      throw usage_error("cannot write '" + name + "': " + e.reason());
    }
    out << "route_tool: wrote " << name << '\n';
  }
  out << "next: route_tool check --line " << files[0].first << " --service " << files[1].first
      << '\n';
  return 0;
}

}  // namespace scenario
