// route_tool timing on the fixed scenario: the table as printed, the same
// from the compiled files, JSON, the profile, the train model file found
// by its name or refused with its field named, and the exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "compiler/route_model/nomi_file.h"
#include "sources/testi_fissi.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::run;
using testing::temp_folder;
using testing::write_text;

// As docs/timing.md shows it.
const std::string fixed_table = R"(Running times: route Viterbo_Attigliano_Orte, train 7547
Train: 4 cars, 220 t, 107.4 m, 130 km/h, 2000 kW; train model: built-in defaults

From                  To                      Distance    Fastest  Timetable              Margin
VITERBO P. F.         Montefiascone            12450 m    10:09.2      11:00    50.8 s     8.3 %
Montefiascone         Grotte S. Stefano        10400 m     8:43.6       9:00    16.4 s     3.1 %
Grotte S. Stefano     Sipicciano S. Nicola      9050 m     8:30.2       0:00  -510.2 s  -100.0 %  cannot be driven
Sipicciano S. Nicola  Sipicciano                1750 m     2:26.9      13:00   633.1 s   430.9 %
Sipicciano            ATTIGLIANO                5300 m     4:51.3       5:30    38.7 s    13.3 %
ATTIGLIANO            ORTE                     13650 m     9:46.1      10:30    43.9 s     7.5 %
Whole run             VITERBO P. F. - ORTE     52600 m    44:27.2      49:00   272.8 s    10.2 %
Fastest: from the departure, with the minimum dwell of 30 s at the section's end
(none at the last station).

Station                 Position  Timetable   Arrival  Departure
VITERBO P. F.                0 m   13:49:00         -   13:49:00
Montefiascone            12450 m   14:00:00  13:58:39   14:00:00
Grotte S. Stefano        22850 m   14:09:00  14:08:14   14:09:00
Sipicciano S. Nicola     31900 m   14:09:00  14:17:00   14:17:30
Sipicciano               33650 m   14:22:00  14:19:27   14:22:00
ATTIGLIANO               38950 m   14:27:30  14:26:21   14:27:30
Bassano in Teverina      44200 m          -  14:31:51   14:31:51  passes (computed)
2° Bivio Orte Nord       46650 m          -  14:33:19   14:33:19  passes (computed)
ORTE                     52600 m   14:38:00  14:37:16          -

Timetable: the time 14:09:00 of Sipicciano S. Nicola is not after 14:09:00 of Grotte S. Stefano
Cannot be driven: 9050 m from Grotte S. Stefano needs at least 8 min 31 s; the timetable gives 0 s
)";

using testing::route;
using testing::train;

struct scenario_files {
  temp_folder tmp;
  std::string line, service;
  scenario_files() {
    const fixed_scenario_texts t = fixed_texts();
    line = tmp / nome_file_linea_txt(route);
    service = tmp / nome_file_servizio_txt(route, train);
    write_text(line, t.line);
    write_text(service, t.service);
  }
};

TEST(TimingCommand, TheFixedScenariosTableFromTextsAndFromCompiledFiles) {
  scenario_files f;
  const auto texts = run({"timing", "--line", f.line, "--service", f.service});
  EXPECT_EQ(texts.status, 1);  // the S. Nicola section cannot be driven
  EXPECT_EQ(texts.out, fixed_table);
  EXPECT_EQ(texts.err, "");
  ASSERT_EQ(
      run({"compile", "--line", f.line, "--service", f.service, "--out", f.tmp / "out"}).status, 0);
  const auto folder = run({"timing", f.tmp / "out"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.out, fixed_table);
}

TEST(TimingCommand, TheDocsShowTheTableAsPrinted) {
  std::ifstream in(std::string(VO_DOCS_DIR) + "/timing.md", std::ios::binary);
  const std::string doc((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(doc.find("```text\n" + fixed_table + "```\n"), std::string::npos);
}

TEST(TimingCommand, RouteAndTrainFromTheFileNames) {
  temp_folder tmp;
  const fixed_scenario_texts t = fixed_texts();
  write_text(tmp.path() / "Prova_linea.txt", t.line);
  write_text(tmp.path() / "Prova_99-.txt", t.service);
  auto r = run({"timing", "--line", tmp / "Prova_linea.txt", "--service", tmp / "Prova_99-.txt"});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Running times: route Prova, train 99");
  // Names outside the rule: given, or asked for.
  write_text(tmp.path() / "a.txt", t.line);
  write_text(tmp.path() / "b.txt", t.service);
  r = run({"timing", "--line", tmp / "a.txt", "--service", tmp / "b.txt", "--train", "12",
           "--route", "R"});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Running times: route R, train 12");
  testing::expect_usage_error(
      run({"timing", "--line", tmp / "a.txt", "--service", tmp / "b.txt", "--train", "12"}),
      "'timing' cannot tell the route name");
}

TEST(TimingCommand, TheTrainModelBesideTheServiceFileOrGiven) {
  scenario_files f;
  // A model beside the service file, by the naming rule: a stronger train
  // drives the Montefiascone section faster.
  write_text(f.tmp.path() / nome_file_modello_treno(route, train), R"({"potenza_kw": 3000})");
  auto r = run({"timing", "--line", f.line, "--service", f.service, "--json"});
  const nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["train_model_file"], f.tmp / nome_file_modello_treno(route, train));
  EXPECT_EQ(j["train_model"]["potenza_kw"], 3000.0);
  EXPECT_LT(j["sections"][0]["fastest_s"].get<double>(), 609.2);
  // Given on the command line, it wins; refused, it is a usage error.
  write_text(f.tmp.path() / "bad.json", R"({"massa_vettura_t": -1})");
  r = run(
      {"timing", "--line", f.line, "--service", f.service, "--train-model", f.tmp / "bad.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "route_tool: error: train model " + (f.tmp / "bad.json") +
                       ": field \"massa_vettura_t\": must be above 0 t, not -1\n");
  // check reads the model given to it the same way.
  r = run({"check", "--line", f.line, "--service", f.service, "--train-model", f.tmp / "bad.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "route_tool: error: train model " + (f.tmp / "bad.json") +
                       ": field \"massa_vettura_t\": must be above 0 t, not -1\n");
  write_text(f.tmp.path() / "bad.json", R"({"frenatura": 1})");
  r = run(
      {"timing", "--line", f.line, "--service", f.service, "--train-model", f.tmp / "bad.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("unknown field \"frenatura\""), std::string::npos);
  r = run(
      {"timing", "--line", f.line, "--service", f.service, "--train-model", f.tmp / "none.json"});
  EXPECT_EQ(r.status, 2);
}

TEST(TimingCommand, JsonAndProfile) {
  scenario_files f;
  const std::string csv = f.tmp / "p.csv";
  const auto r =
      run({"timing", "--line", f.line, "--service", f.service, "--json", "--profile", csv});
  EXPECT_EQ(r.status, 1);
  const nlohmann::json j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["sections"].size(), 6u);
  EXPECT_EQ(j["sections"][2]["from"], "Grotte S. Stefano");
  EXPECT_EQ(j["sections"][2]["timetable_s"], 0.0);
  EXPECT_EQ(j["sections"][2]["drivable"], false);
  EXPECT_EQ(j["whole_run"]["distance_m"], 52600.0);
  EXPECT_EQ(j["stations"][7]["name"], "2° Bivio Orte Nord");
  EXPECT_EQ(j["stations"][7]["stops"], false);
  EXPECT_EQ(j["stations"][7]["arrival"], "14:33:19");
  EXPECT_EQ(j["faults"].size(), 2u);
  EXPECT_EQ(j["faults"][1]["kind"], "section_too_short");
  EXPECT_EQ(j["drivable"], false);
  EXPECT_TRUE(j["reason"].is_null());
  // 4 cars of 26.86 m and 55 t.
  EXPECT_NEAR(j["length_m"].get<double>(), 107.44, 1e-9);
  EXPECT_NEAR(j["mass_t"].get<double>(), 220.0, 1e-9);
  std::ifstream in(csv, std::ios::binary);
  std::string header, first;
  std::getline(in, header);
  std::getline(in, first);
  EXPECT_EQ(header, "position_m,speed_kmh,limit_kmh,time_s,time");
  EXPECT_EQ(first, "0.0,0.0,70.0,49740.0,13:49:00");
  int rows = 2;
  for (std::string l; std::getline(in, l);) ++rows;
  EXPECT_EQ(rows, 1 + 5261);
}

// A running time past an hour: hours, then minutes in two digits. A train
// held to 49.4 km/h runs the whole line in 1 h 9 min and some seconds.
TEST(TimingCommand, ARunningTimePastAnHour) {
  scenario_files f;
  write_text(f.tmp.path() / "slow.json", R"({"velocita_massima_kmh": 49.4})");
  const std::vector<std::string> args = {
      "timing", "--line", f.line, "--service", f.service, "--train-model", f.tmp / "slow.json"};
  const auto text = run(args);
  std::vector<std::string> with_json = args;
  with_json.push_back("--json");
  const nlohmann::json j = nlohmann::json::parse(run(with_json).out);
  const double s = j["whole_run"]["fastest_s"].get<double>();
  ASSERT_GE(s, 3600.0 + 9 * 60);
  ASSERT_LT(s, 3600.0 + 10 * 60);
  const auto tenths = std::llround(s * 10.0);
  char expected[16];
  std::snprintf(expected, sizeof expected, "1:09:%02lld.%lld", tenths / 10 % 60, tenths % 10);
  // Under "Fastest", right-aligned.
  const std::string& t = text.out;
  const std::string header = t.substr(t.find("\nFrom ") + 1);
  const std::string row = t.substr(t.find("\nWhole run ") + 1);
  const std::size_t at = row.find(std::string(" ") + expected + " ");
  ASSERT_NE(at, std::string::npos) << row;
  EXPECT_EQ(at + 1 + std::string(expected).size(), header.find("Fastest") + 7);
}

TEST(TimingCommand, ExitStatuses) {
  scenario_files f;
  // Every section drivable: 0. Giving S. Nicola the timetable sheet's
  // 14:18:00 leaves the fixed scenario drivable.
  std::string service = fixed_texts_on_time().service;
  write_text(f.service, service);
  auto r = run({"timing", "--line", f.line, "--service", f.service});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("cannot be driven"), std::string::npos);
  // A run that cannot be timed: 1, the reason named.
  service.replace(service.find("velocita,   12650,    85"), 24, "velocita,   12650,     0");
  write_text(f.service, service);
  r = run({"timing", "--line", f.line, "--service", f.service});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Cannot time the run: the speed limit is 0 km/h at 12650 m"),
            std::string::npos);
  // Usage errors: 2.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"timing"},
        {"timing", "--line", f.line},
        {"timing", "--line", f.line, "--service", f.service, f.tmp / "out"},
        {"timing", f.tmp / "nothing_here"},
        {"timing", "--line", f.line, "--service", f.tmp / "x"}}) {
    r = run(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_EQ(r.err.substr(0, 19), "route_tool: error: ");
  }
  r = run({"timing", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 18), "Usage: route_tool ");
}

}  // namespace
}  // namespace scenario
