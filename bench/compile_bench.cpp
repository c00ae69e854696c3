// The compile step, timed: the fixed scenario and the largest route, on
// bytes in memory (the compiler alone) and on a real temporary folder (with
// the file system's cost); and the checker with its printed diagnostics on
// the same two scenarios and on a file where half the records are faults.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>

#include "base/cp1252.h"
#include "base/memory_file_system.h"
#include "base/program_folder.h"
#include "bench/large_route.h"
#include "compiler/check/controlla.h"
#include "compiler/compila.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/testi_fissi.h"
#include "tools/lsp/server.h"
#include "tools/route_tool/diagnostic_output.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "Viterbo_Attigliano_Orte";
constexpr const char* treno = "7547";

struct text_files {
  std::string line;
  std::string service;
};

text_files fixed_scenario() {
  const fixed_scenario_texts t = fixed_texts();
  return {t.line, t.service};
}

text_files largest_route() {
  return {large_route::line_file(), large_route::service_file()};
}

// A line of 1000000 m with a grade record every 50 m, written twice: the
// second 20141 records find no cell left, each one a fault with its own
// message and quoted field.
text_files dense_faults() {
  std::string line = "[generale]\r\nlunghezza percorso, 1000000\r\n[pendenze]\r\n";
  for (int round = 0; round < 2; ++round) {
    for (int p = 0; p <= 1007000; p += 50) line += "pendenza, " + std::to_string(p) + ", 3\r\n";
  }
  return {line, fixed_scenario().service};
}

void put(file_system& f, const program_folder& cartella, const text_files& t) {
  f.write_file(file_path(cartella, nome_file_linea_txt(linea)), t.line);
  f.write_file(file_path(cartella, nome_file_servizio_txt(linea, treno)), t.service);
}

esito_compilazione compile(file_system& f, const program_folder& cartella) {
  modello_percorso m;
  m.nome_linea = linea;
  m.numero_treno = treno;
  return memorizza_percorso(m, f, cartella, 1);
}

void in_memory(benchmark::State& state, const text_files& t) {
  opzioni_compilazione o;
  o.nome_linea = linea;
  o.numero_treno = treno;
  for (auto _ : state) {
    risultato_compilazione r = compila({t.line, t.service}, o);
    benchmark::DoNotOptimize(r.linea_dat().data());
  }
}

void check(benchmark::State& state, const text_files& t) {
  ingresso_controllo in;
  in.linea = t.line;
  in.servizio = t.service;
  in.nome_linea = linea;
  in.numero_treno = treno;
  // The diagnostics as `route_tool check` prints them, into a sink.
  std::ostringstream sink;
  int warnings = 0;
  for (auto _ : state) {
    const esito_controllo e = controlla(in);
    sink.str({});
    write_diagnostics_text(e.diagnostiche, in, sink);
    benchmark::DoNotOptimize(sink.tellp());
    warnings = e.avvisi;
  }
  state.counters["warnings"] = warnings;
}

void on_disk(benchmark::State& state, const text_files& t) {
  const fs::path dir =
      fs::temp_directory_path() /
      ("vo_bench_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir);
  const program_folder cartella{dir, '/'};
  disk_file_system disk;
  for (auto _ : state) {
    state.PauseTiming();
    put(disk, cartella, t);
    state.ResumeTiming();
    benchmark::DoNotOptimize(compile(disk, cartella));
  }
  fs::remove_all(dir);
}

// The language server's answer to one change of the service file: the
// pair checked again (with the timetable against the train's fastest run)
// and both files' diagnostics published, as an editor gets them. The change
// is a blank typed at the start of the file and taken out again (the line
// and the train stay as they were, so the last run is reused), or with
// `new_run` the first speed limit typed 5 km/h higher and back (the run is
// worked out anew at every change).
void lsp_change(benchmark::State& state, const text_files& t, bool new_run) {
  lsp::memory_folders disk;
  const std::string dir = "/b/";
  disk.files[dir + nome_file_linea_txt(linea)] = t.line;
  disk.files[dir + nome_file_servizio_txt(linea, treno)] = t.service;
  std::size_t bytes = 0;
  std::size_t published = 0;  // the service file's diagnostics, as last published
  const std::string uri = "file://" + dir + nome_file_servizio_txt(linea, treno);
  lsp::language_server server(disk, {linea, treno}, [&](const lsp::json& m) {
    bytes += m.dump().size();
    if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) {
      published = m["params"]["diagnostics"].size();
    }
  });
  const auto message = [](const char* method, lsp::json params) {
    return lsp::json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}.dump();
  };
  server.handle(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
  server.handle(message("textDocument/didOpen", {{"textDocument",
                                                  {{"uri", uri},
                                                   {"languageId", "scenario"},
                                                   {"version", 1},
                                                   {"text", cp1252_to_utf8(t.service)}}}}));
  // The last character of the first "velocita" line: the limit's last digit.
  const std::size_t speed = t.service.find("\nvelocita,") + 1;
  const auto speed_line = static_cast<std::int64_t>(
      std::count(t.service.begin(), t.service.begin() + static_cast<std::ptrdiff_t>(speed), '\n'));
  const auto last_digit = static_cast<std::int64_t>(t.service.find("\r\n", speed) - speed) - 1;
  const char digit = t.service[speed + static_cast<std::size_t>(last_digit)];
  const std::string other(1, digit == '0' ? '5' : '0');
  std::int64_t version = 1;
  for (auto _ : state) {
    const bool typed = version % 2 == 1;
    lsp::json change;
    if (new_run) {
      change = {{"range",
                 {{"start", {{"line", speed_line}, {"character", last_digit}}},
                  {"end", {{"line", speed_line}, {"character", last_digit + 1}}}}},
                {"text", typed ? other : std::string(1, digit)}};
    } else {
      change = {{"range",
                 {{"start", {{"line", 0}, {"character", 0}}},
                  {"end", {{"line", 0}, {"character", typed ? 0 : 1}}}}},
                {"text", typed ? " " : ""}};
    }
    server.handle(
        message("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", ++version}}},
                                           {"contentChanges", lsp::json::array({change})}}));
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["diagnostics"] = static_cast<double>(published);
}

void BM_FixedScenario_Memory(benchmark::State& s) {
  in_memory(s, fixed_scenario());
}
void BM_FixedScenario_Disk(benchmark::State& s) {
  on_disk(s, fixed_scenario());
}
void BM_LargestRoute_Memory(benchmark::State& s) {
  in_memory(s, largest_route());
}
void BM_LargestRoute_Disk(benchmark::State& s) {
  on_disk(s, largest_route());
}
void BM_Check_FixedScenario(benchmark::State& s) {
  check(s, fixed_scenario());
}
void BM_Check_LargestRoute(benchmark::State& s) {
  check(s, largest_route());
}
void BM_Check_DenseFaults(benchmark::State& s) {
  check(s, dense_faults());
}
void BM_Lsp_Change_FixedScenario(benchmark::State& s) {
  lsp_change(s, fixed_scenario(), false);
}
void BM_Lsp_Change_LargestRoute(benchmark::State& s) {
  lsp_change(s, largest_route(), false);
}
void BM_Lsp_NewRun_FixedScenario(benchmark::State& s) {
  lsp_change(s, fixed_scenario(), true);
}
void BM_Lsp_NewRun_LargestRoute(benchmark::State& s) {
  lsp_change(s, largest_route(), true);
}

BENCHMARK(BM_FixedScenario_Memory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FixedScenario_Disk)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LargestRoute_Memory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LargestRoute_Disk)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

BENCHMARK(BM_Check_FixedScenario)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Check_LargestRoute)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Check_DenseFaults)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK(BM_Lsp_Change_FixedScenario)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Lsp_Change_LargestRoute)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Lsp_NewRun_FixedScenario)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Lsp_NewRun_LargestRoute)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace scenario

BENCHMARK_MAIN();
