#include "tools/route_tool/plot_objects.h"

#include "base/cp1252.h"
#include "tools/route_tool/route_contents.h"

namespace scenario {

namespace {

std::vector<station_info> stations_of(const compiled_route& r) {
  std::vector<station_info> s;
  for (const int k : trova_slot(r).stazioni) {
    const elemento& e = r.elementi[static_cast<std::size_t>(k)];
    s.push_back({k, cp1252_to_utf8(e.nome), e.posizione, e.inizio, e.fine, e.orario});
  }
  return s;
}

// A signal, a board or a slowdown at p metres stands in cell p / 50 + 1.
double metres_of_object_cell(std::size_t k) {
  return (static_cast<double>(k) - 1.0) * 50.0;
}

std::vector<double> signals_of(const compiled_route& r) {
  std::vector<double> s;
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    if (r.celle[k].tipo == tipo_cella::segnale) s.push_back(metres_of_object_cell(k));
  }
  return s;
}

std::vector<slowdown_info> slowdowns_of(const compiled_route& r) {
  std::vector<slowdown_info> s;
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    if (r.celle[k].tipo != tipo_cella::inizio_rallentamento) continue;
    std::size_t e = k + 1;
    while (e < r.celle.size() && r.celle[e].tipo != tipo_cella::fine_rallentamento) ++e;
    if (e >= r.celle.size()) e = r.celle.size() - 1;
    s.push_back({metres_of_object_cell(k), metres_of_object_cell(e), r.celle[k].dato1});
  }
  return s;
}

// Spans of cells inside a tunnel, in metres.
std::vector<std::pair<double, double>> tunnels_of(const compiled_route& r) {
  std::vector<std::pair<double, double>> t;
  for (const tratto_profilo& p : tratti_profilo(r.celle)) {
    if (p.montagna == 0) continue;
    const double a = static_cast<double>(p.prima) * 50.0;
    const double b = static_cast<double>(p.ultima + 1) * 50.0;
    if (!t.empty() && t.back().second >= a) {
      t.back().second = b;
    } else {
      t.push_back({a, b});
    }
  }
  return t;
}

}  // namespace

plot_objects objects_of(const compiled_route& r) {
  return {stations_of(r), signals_of(r), slowdowns_of(r), tunnels_of(r)};
}

}  // namespace scenario
