// Decompiling, timed: the fixed scenario and the largest route, from the
// three files' bytes to the two texts, verified by compiling them again.
#include <benchmark/benchmark.h>

#include <string>

#include "base/memory_file_system.h"
#include "bench/large_route.h"
#include "sources/testi_fissi.h"
#include "sources/writers.h"
#include "tools/decompile/compile_in_memory.h"
#include "tools/decompile/decompile.h"
#include "tools/decompile/round_trip.h"

namespace scenario {
namespace {

constexpr const char* linea = "Viterbo_Attigliano_Orte";
constexpr const char* treno = "7547";

decompile::compiled_texts fixed_scenario() {
  const fixed_scenario_texts w = fixed_texts();
  return decompile::compile_texts(w.line, w.service, linea, treno);
}

decompile::compiled_texts largest_route() {
  return decompile::compile_texts(large_route::line_file(), large_route::service_file(), linea,
                                  treno);
}

// Decoding the three files, decompiling and compiling the texts again.
void decompile_files(benchmark::State& state, const decompile::compiled_texts& files) {
  for (auto _ : state) {
    const compiled_route r = decompile::decode_compiled_texts(files, linea, treno);
    const decompile::decompiled_route d = decompile::decompile_route(r, linea, treno);
    if (!d.check.exact) state.SkipWithError("the texts do not give the files back");
    benchmark::DoNotOptimize(d.line_text.data());
  }
}

void BM_Decompile_FixedScenario(benchmark::State& s) {
  decompile_files(s, fixed_scenario());
}
void BM_Decompile_LargestRoute(benchmark::State& s) {
  decompile_files(s, largest_route());
}

BENCHMARK(BM_Decompile_FixedScenario)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Decompile_LargestRoute)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace scenario

BENCHMARK_MAIN();
