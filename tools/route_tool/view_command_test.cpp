// route_tool view and plot's range on the command line: usage errors, the
// page written from the text files and from a compiled folder.
#include <gtest/gtest.h>

#include "base/file_system.h"
#include "sources/testi_fissi.h"
#include "tools/testing/compiled_route_builder.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::expect_usage_error;
using testing::run;
using testing::run_result;

TEST(RouteToolView, UsageErrors) {
  EXPECT_EQ(run({"view", "--help"}).out.rfind("Usage: route_tool view", 0), 0u);
  expect_usage_error(run({"view"}), "'view' needs a folder DIR, or --line and --service");
  expect_usage_error(run({"view", "--line", "a", "-o", "x.html"}),
                     "needs both --line and --service");
  expect_usage_error(run({"view", "d", "--line", "a", "--service", "b", "-o", "x"}), "not both");
  expect_usage_error(run({"view", "d"}), "needs --output");
  expect_usage_error(run({"view", "--line", "no.txt", "--service", "no.txt", "-o", "x"}),
                     "line description file 'no.txt' not found");
}

TEST(RouteToolView, WritesThePageFromTheTextsAndFromCompiledFiles) {
  testing::temp_folder dir;
  const fixed_scenario_texts t = fixed_texts();
  const std::string line = dir / "Viterbo_Attigliano_Orte_linea.txt";
  const std::string service = dir / "Viterbo_Attigliano_Orte_7547-.txt";
  testing::write_text(line, t.line);
  testing::write_text(service, t.service);
  const run_result r = run({"view", "--line", line, "--service", service, "-o", dir / "route.html",
                            "--from", "20", "--to", "25"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("route_tool: wrote"), std::string::npos);
  disk_file_system disk;
  const std::string page = disk.read_file(dir.path() / "route.html");
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("\"view\":{\"from_m\":20000.0,\"to_m\":25000.0}"), std::string::npos);
  EXPECT_NE(page.find("rallentamento,   22700"), std::string::npos);  // a source line
  EXPECT_NE(page.find("\"has_sources\":true"), std::string::npos);
  expect_usage_error(
      run({"view", "--line", line, "--service", service, "-o", dir / "x.html", "--from", "twenty"}),
      "is not a kilometre figure");
  // --from alone runs to the line's end; a figure off the 60 km line, at
  // either end, is a usage error.
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "from.html", "--from",
                 "59.95"})
                .status,
            0);
  EXPECT_NE(disk.read_file(dir.path() / "from.html")
                .find("\"view\":{\"from_m\":59950.0,\"to_m\":60000.0}"),
            std::string::npos);
  expect_usage_error(run({"view", "--line", line, "--service", service, "-o", dir / "x.html",
                          "--from", "20", "--to", "60.001"}),
                     "--to 60.001 lies outside the line, which runs from km 0 to km 60 from its "
                     "origin");
  expect_usage_error(
      run({"view", "--line", line, "--service", service, "-o", dir / "x.html", "--from", "-0.001"}),
      "--from -0.001 lies outside the line");
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "ends.html", "--from",
                 "0", "--to", "60"})
                .status,
            0);

  const program_folder folder{dir.path().string(), '/'};
  testing::write_route_files(disk, folder, testing::sample_model());
  const run_result c = run({"view", dir.path().string(), "-o", dir / "compiled.html"});
  ASSERT_EQ(c.status, 0) << c.err;
  const std::string compiled = disk.read_file(dir.path() / "compiled.html");
  EXPECT_NE(compiled.find("\"has_sources\":false"), std::string::npos);
  const run_result p =
      run({"plot", dir.path().string(), "-o", dir / "part.svg", "--from", "1", "--to", "2"});
  ASSERT_EQ(p.status, 0) << p.err;
  EXPECT_NE(disk.read_file(dir.path() / "part.svg").find("shown 1000 m to 2000 m"),
            std::string::npos);
  expect_usage_error(run({"plot", dir.path().string(), "-o", dir / "part.svg", "--to", "100"}),
                     "--to 100 lies outside the line");
}

TEST(RouteToolView, DrawsTheRunAndTheDocumentsBesideTheServiceFile) {
  testing::temp_folder dir;
  const fixed_scenario_texts t = fixed_texts();
  const fixed_scenario_documents doc = fixed_documents();
  const std::string line = dir / "Viterbo_Attigliano_Orte_linea.txt";
  const std::string service = dir / "Viterbo_Attigliano_Orte_7547-.txt";
  testing::write_text(line, t.line);
  testing::write_text(service, t.service);
  disk_file_system disk;
  // Without documents: the run, and no documents.
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "a.html"}).status, 0);
  const std::string plain = disk.read_file(dir.path() / "a.html");
  EXPECT_NE(plain.find("\"train_model\":\"built-in defaults\""), std::string::npos);
  EXPECT_NE(plain.find("\"documents\":null"), std::string::npos);

  // The program's own documents beside the service file, found by their
  // names, with their documented disagreements.
  testing::write_text(dir.path() / "Viterbo_Attigliano_Orte_7547_scheda_treno.txt", doc.sheet);
  testing::write_text(dir.path() / "Viterbo_Attigliano_Orte_7547_rallentamenti.txt", doc.form);
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "b.html"}).status, 0);
  const std::string beside = disk.read_file(dir.path() / "b.html");
  EXPECT_NE(beside.find("\"id\":\"sheet-time-differs\""), std::string::npos);
  EXPECT_NE(beside.find("\"id\":\"form-length-differs\""), std::string::npos);
  EXPECT_NE(beside.find("Viterbo_Attigliano_Orte_7547_scheda_treno.txt\""), std::string::npos);

  // Given on the command line: a sheet generated from the data agrees.
  ASSERT_EQ(run({"sheets", "--line", line, "--service", service, "--out", dir / "gen"}).status, 0);
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "c.html", "--sheet",
                 dir / "gen/Viterbo_Attigliano_Orte_7547_scheda_treno.txt", "--slowdown-form",
                 dir / "gen/Viterbo_Attigliano_Orte_7547_rallentamenti.txt"})
                .status,
            0);
  const std::string agreed = disk.read_file(dir.path() / "c.html");
  EXPECT_NE(agreed.find("\"findings\":[]"), std::string::npos);
  EXPECT_NE(agreed.find("\"times\":\"14.32 (c)\""), std::string::npos);
  expect_usage_error(run({"view", "--line", line, "--service", service, "-o", dir / "d.html",
                          "--sheet", dir / "none.txt"}),
                     "timetable sheet '" + (dir / "none.txt") + "' not found");

  // A train that cannot run: the page says why, the command succeeds.
  std::string unbraked = t.service;
  const std::string braked = "percentuale massa frenata,    100";
  unbraked.replace(unbraked.find(braked), braked.size(), "percentuale massa frenata,    0");
  testing::write_text(dir.path() / "R_1-.txt", unbraked);
  const run_result r =
      run({"view", "--line", line, "--service", dir / "R_1-.txt", "-o", dir / "e.html"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(disk.read_file(dir.path() / "e.html").find("\"reason\":\"no run drawn: "),
            std::string::npos);
  // check's warning of it, at the braked mass.
  EXPECT_NE(disk.read_file(dir.path() / "e.html").find("\"id\":\"run-not-timed\""),
            std::string::npos);

  // The timetable's warnings are judged against the train drawn: a weak one
  // given cannot keep Montefiascone to Grotte S. Stefano (S. Nicola timed as
  // its sheet gives it).
  testing::write_text(dir.path() / "weak.json",
                      R"({"potenza_kw": 1000, "sforzo_avviamento_kn": 60})");
  testing::write_text(dir.path() / "T_1-.txt", fixed_texts_on_time().service);
  const std::string montefiascone = "10400 m from Montefiascone needs at least 9 min 5 s";
  ASSERT_EQ(run({"view", "--line", line, "--service", dir / "T_1-.txt", "-o", dir / "f.html",
                 "--train-model", dir / "weak.json"})
                .status,
            0);
  EXPECT_NE(disk.read_file(dir.path() / "f.html").find(montefiascone), std::string::npos);
  ASSERT_EQ(
      run({"view", "--line", line, "--service", dir / "T_1-.txt", "-o", dir / "g.html"}).status, 0);
  EXPECT_EQ(disk.read_file(dir.path() / "g.html").find(montefiascone), std::string::npos);

  // plot: the run from compiled files, the model beside them or given.
  ASSERT_EQ(run({"compile", "--line", line, "--service", service, "--out", dir / "bin"}).status, 0);
  ASSERT_EQ(run({"plot", dir / "bin", "-o", dir / "p.svg"}).status, 0);
  const std::string svg = disk.read_file(dir.path() / "p.svg");
  EXPECT_NE(svg.find("class=\"run-speed\""), std::string::npos);
  EXPECT_NE(svg.find("fastest run (built-in defaults)"), std::string::npos);
  testing::write_text(dir.path() / "bin" / "Viterbo_Attigliano_Orte_7547_treno.json",
                      "{\"velocita_massima_kmh\": 80}");
  ASSERT_EQ(run({"plot", dir / "bin", "-o", dir / "q.svg"}).status, 0);
  EXPECT_NE(disk.read_file(dir.path() / "q.svg").find("Viterbo_Attigliano_Orte_7547_treno.json)"),
            std::string::npos);
  expect_usage_error(
      run({"plot", dir / "bin", "-o", dir / "r.svg", "--train-model", dir / "R_1-.txt"}),
      "train model");
}

}  // namespace
}  // namespace scenario
