// route_tool sheets: usage errors, the documents from the texts and from
// the compiled files they give (the same bytes), and data that make none.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "compiler/documenti/ordine_rallentamento.h"
#include "compiler/documenti/scheda_marcia.h"
#include "compiler/documenti/scheda_treno.h"
#include "sources/testi_fissi.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::expect_usage_error;
using testing::run;
using testing::run_result;

TEST(RouteToolSheets, UsageErrors) {
  EXPECT_EQ(run({"sheets", "--help"}).out.rfind("Usage: route_tool sheets", 0), 0u);
  expect_usage_error(run({"sheets", "--out", "x"}), "'sheets' needs a folder DIR");
  expect_usage_error(run({"sheets", "--line", "a", "--out", "x"}),
                     "needs both --line and --service");
  expect_usage_error(run({"sheets", "d", "--line", "a", "--service", "b", "--out", "x"}),
                     "not both");
  expect_usage_error(run({"sheets", "d"}), "needs --out");

  testing::temp_folder dir;
  const fixed_scenario_texts t = fixed_texts();
  testing::write_text(dir.path() / "line.txt", t.line);
  testing::write_text(dir.path() / "service.txt", t.service);
  expect_usage_error(run({"sheets", "--line", dir / "line.txt", "--service", dir / "service.txt",
                          "--out", dir / "out"}),
                     "cannot tell the route name from the file names");
  expect_usage_error(run({"sheets", "--line", dir / "line.txt", "--service", dir / "service.txt",
                          "--route", "R", "--out", dir / "out"}),
                     "cannot tell the train number from the name");
  expect_usage_error(
      run({"sheets", "--line", dir / "line.txt", "--service", dir / "service.txt", "--route", "R",
           "--train", "1", "--train-model", dir / "none.txt", "--out", dir / "out"}),
      "train model " + (dir / "none.txt"));
}

TEST(RouteToolSheets, TheSameDocumentsFromTheTextsAndFromTheCompiledFiles) {
  testing::temp_folder dir;
  const fixed_scenario_texts t = fixed_texts();
  const std::string line = dir / "Viterbo_Attigliano_Orte_linea.txt";
  const std::string service = dir / "Viterbo_Attigliano_Orte_7547-.txt";
  testing::write_text(line, t.line);
  testing::write_text(service, t.service);
  // The passing times at the two stations without a time, computed.
  const run_result r =
      run({"sheets", "--line", line, "--service", service, "--out", dir / "texts"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Viterbo_Attigliano_Orte_7547_scheda_treno.txt (4241 bytes, 1 page)"),
            std::string::npos)
      << r.out;
  disk_file_system disk;
  const dati_da_testi_esito e = dati_da_testi(t.line, t.service, "Viterbo_Attigliano_Orte", "7547");
  const dati_documenti& d = *e.dati;
  const std::string sheet =
      disk.read_file(dir.path() / "texts" / "Viterbo_Attigliano_Orte_7547_scheda_treno.txt");
  const std::string form =
      disk.read_file(dir.path() / "texts" / "Viterbo_Attigliano_Orte_7547_rallentamenti.txt");
  EXPECT_EQ(sheet, scheda_treno(d, opzioni_scheda_marcia(d, e.linea, modello_treno{})));
  EXPECT_NE(sheet.find("|Bassano in Teverina     |     14.32 (c)  |"), std::string::npos);
  EXPECT_EQ(form, ordine_rallentamento(d));

  ASSERT_EQ(run({"compile", "--line", line, "--service", service, "--out", dir / "bin"}).status, 0);
  const run_result c = run({"sheets", dir / "bin", "--out", dir / "compiled"});
  ASSERT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(
      disk.read_file(dir.path() / "compiled" / "Viterbo_Attigliano_Orte_7547_scheda_treno.txt"),
      sheet);
  EXPECT_EQ(
      disk.read_file(dir.path() / "compiled" / "Viterbo_Attigliano_Orte_7547_rallentamenti.txt"),
      form);

  // The train model's dwell: given, or found beside the service file (or
  // the compiled files) by the naming rule. A dwell of 90 s makes S.
  // Nicola's arrival 14.07+ before its 14.09 departure.
  testing::write_text(dir.path() / "lunga.json", "{\"sosta_minima_s\": 90}");
  ASSERT_EQ(run({"sheets", "--line", line, "--service", service, "--out", dir / "given",
                 "--train-model", dir / "lunga.json"})
                .status,
            0);
  const std::string given =
      disk.read_file(dir.path() / "given" / "Viterbo_Attigliano_Orte_7547_scheda_treno.txt");
  EXPECT_NE(given.find("|Sipicciano S. Nicola    |14.07+    14.09 |"), std::string::npos);
  testing::write_text(dir.path() / "Viterbo_Attigliano_Orte_7547_treno.json",
                      "{\"sosta_minima_s\": 90}");
  ASSERT_EQ(run({"sheets", "--line", line, "--service", service, "--out", dir / "beside"}).status,
            0);
  EXPECT_EQ(disk.read_file(dir.path() / "beside" / "Viterbo_Attigliano_Orte_7547_scheda_treno.txt"),
            given);
  std::filesystem::copy_file(dir.path() / "Viterbo_Attigliano_Orte_7547_treno.json",
                             dir.path() / "bin" / "Viterbo_Attigliano_Orte_7547_treno.json");
  ASSERT_EQ(run({"sheets", dir / "bin", "--out", dir / "compiled_beside"}).status, 0);
  EXPECT_EQ(disk.read_file(dir.path() / "compiled_beside" /
                           "Viterbo_Attigliano_Orte_7547_scheda_treno.txt"),
            given);
  // A model that is no train model: a usage error naming the field.
  testing::write_text(dir.path() / "bad.json", "{\"sosta_minima_s\": -1}");
  expect_usage_error(run({"sheets", "--line", line, "--service", service, "--out", dir / "bad",
                          "--train-model", dir / "bad.json"}),
                     "sosta_minima_s");
}

TEST(RouteToolSheets, DataThatMakeNoDocuments) {
  testing::temp_folder dir;
  const fixed_scenario_texts t = fixed_texts();
  std::string service = t.service;
  service.replace(service.find("22850"), 5, "22875");  // a station off the 50 m grid
  const std::string line = dir / "R_linea.txt";
  testing::write_text(line, t.line);
  testing::write_text(dir.path() / "R_1-.txt", service);
  const run_result r =
      run({"sheets", "--line", line, "--service", dir / "R_1-.txt", "--out", dir / "out"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no documents: the compile step recorded error 8"), std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));

  // A service file without stations compiles, but makes no sheet.
  std::string empty = t.service;
  empty.erase(empty.find("stazione,"), empty.find("[rallentamenti]") - empty.find("stazione,"));
  testing::write_text(dir.path() / "R_1-.txt", empty);
  const run_result s =
      run({"sheets", "--line", line, "--service", dir / "R_1-.txt", "--out", dir / "out"});
  EXPECT_EQ(s.status, 1);
  EXPECT_NE(s.err.find("the data lack a station"), std::string::npos) << s.err;
}

}  // namespace
}  // namespace scenario
