// The running-time calculation, timed: the whole calculation (limits,
// braking curves, the run, the stations, the sections and the profile
// every 10 m) on the fixed scenario and on the largest route, from their
// lines as the route model gives them; and, apart, the adapter that builds
// such a line from a compiled route model.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/large_route.h"
#include "compiler/compila.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "sources/testi_fissi.h"

namespace scenario {
namespace {

risultato_compilazione compiled(const std::string& line, const std::string& service) {
  return compila({line, service}, opzioni_compilazione_marcia("Viterbo_Attigliano_Orte", "7547"));
}

const risultato_compilazione& fixed_model() {
  static const risultato_compilazione r = [] {
    const fixed_scenario_texts t = fixed_texts();
    return compiled(t.line, t.service);
  }();
  return r;
}

const risultato_compilazione& largest_model() {
  static const risultato_compilazione r =
      compiled(large_route::line_file(), large_route::service_file());
  return r;
}

void timing(benchmark::State& state, const risultato_compilazione& r, bool run = true) {
  const linea_marcia l = linea_da_modello(r.modello, r.sorgenti);
  opzioni_marcia o;
  o.corsa = run;
  std::size_t nodes = 0;
  for (auto _ : state) {
    const esito_marcia e = calcola_marcia(l, modello_treno{}, o);
    if (e.impedimento) state.SkipWithError(e.impedimento->testo.c_str());
    nodes = e.nodi.size();
    benchmark::DoNotOptimize(e.sezioni.data());
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["stations"] = static_cast<double>(l.stazioni.size());
}

void timing_fixed_scenario(benchmark::State& state) {
  timing(state, fixed_model());
}

void timing_largest_route(benchmark::State& state) {
  timing(state, largest_model());
}

// Only the stations' times and the sections, as a checker asks for them.
void timing_largest_route_sections_only(benchmark::State& state) {
  timing(state, largest_model(), false);
}

void line_from_model_largest_route(benchmark::State& state) {
  const risultato_compilazione& r = largest_model();
  for (auto _ : state) {
    const linea_marcia l = linea_da_modello(r.modello, r.sorgenti);
    benchmark::DoNotOptimize(l.velocita.data());
  }
}

BENCHMARK(timing_fixed_scenario)->Unit(benchmark::kMillisecond);
BENCHMARK(timing_largest_route)->Unit(benchmark::kMillisecond);
BENCHMARK(timing_largest_route_sections_only)->Unit(benchmark::kMillisecond);
BENCHMARK(line_from_model_largest_route)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario

BENCHMARK_MAIN();
