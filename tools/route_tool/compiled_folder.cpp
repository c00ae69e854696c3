#include "tools/route_tool/compiled_folder.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "base/path_utf8.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_tool/command_line.h"

namespace scenario {

namespace fs = std::filesystem;

std::vector<std::pair<std::string, std::string>> compiled_sets_in(const fs::path& dir) {
  std::set<std::string> nomi;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) nomi.insert(path_utf8(it->path().filename()));
  }
  const std::string linea_dat = nome_file_linea_dat("");
  const std::string sim = nome_file_sim("", "").substr(1);  // ".sim"
  std::vector<std::pair<std::string, std::string>> insiemi;
  for (const std::string& nome : nomi) {
    if (!nome.ends_with(linea_dat)) continue;
    const std::string route = nome.substr(0, nome.size() - linea_dat.size());
    const std::string prefisso = route + "_";
    for (auto it = nomi.lower_bound(prefisso); it != nomi.end() && it->starts_with(prefisso);
         ++it) {
      if (!it->ends_with(sim)) continue;
      const std::string train =
          it->substr(prefisso.size(), it->size() - prefisso.size() - sim.size());
      if (nomi.count(nome_file_celle_dat(route, train))) insiemi.emplace_back(route, train);
    }
  }
  std::sort(insiemi.begin(), insiemi.end());
  return insiemi;
}

compiled_set find_compiled_set(const std::string& dir, const std::optional<std::string>& route,
                               const std::optional<std::string>& train) {
  compiled_set s{folder_of(dir), {}, {}};
  const fs::path cartella = s.folder.dir;
  std::error_code ec;
  if (!fs::exists(cartella, ec))
    throw usage_error("folder '" + path_utf8(cartella) + "' not found");
  if (!fs::is_directory(cartella, ec)) {
    throw usage_error("'" + path_utf8(cartella) + "' is a file, not a folder");
  }
  if (route && train) {
    s.route = *route;
    s.train = *train;
    return s;
  }
  std::vector<std::pair<std::string, std::string>> trovati;
  for (const auto& [r, t] : compiled_sets_in(cartella)) {
    if ((!route || *route == r) && (!train || *train == t)) trovati.emplace_back(r, t);
  }
  if (trovati.size() == 1) {
    s.route = trovati[0].first;
    s.train = trovati[0].second;
    return s;
  }
  if (trovati.empty()) {
    throw usage_error("no compiled route in '" + path_utf8(cartella) +
                      "' (NAME_linea.dat with NAME_NUMBER.sim and NAME_NUMBER.dat)" +
                      (route || train ? " for the route and train given" : ""));
  }
  std::string elenco;
  for (const auto& [r, t] : trovati) elenco += (elenco.empty() ? "" : ", ") + r + " train " + t;
  throw usage_error("'" + path_utf8(cartella) + "' holds several compiled routes (" + elenco +
                    "): choose one with --route and --train");
}

}  // namespace scenario
