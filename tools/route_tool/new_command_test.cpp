// route_tool new: the scenario it writes checks clean, compiles, and its
// documents agree with its data; names that cannot name the files and files
// already there are refused with nothing written.
#include "tools/route_tool/new_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/check/controlla.h"
#include "compiler/compila.h"
#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/dati_documenti.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::expect_usage_error;
using testing::run;
using testing::run_result;

TEST(RouteToolNew, TheScenarioChecksCleanCompilesAndItsDocumentsAgree) {
  testing::temp_folder dir;
  const run_result r = run({"new", "Val_Chiara", "42", "--out", dir / "nuovo"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::filesystem::path out = dir.path() / "nuovo";
  const std::string line = testing::read_bytes(out / "Val_Chiara_linea.txt");
  const std::string service = testing::read_bytes(out / "Val_Chiara_42-.txt");
  const std::string sheet = testing::read_bytes(out / "Val_Chiara_42_scheda_treno.txt");
  const std::string form = testing::read_bytes(out / "Val_Chiara_42_rallentamenti.txt");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 4);
  EXPECT_NE(r.out.find("next: route_tool check --line"), std::string::npos) << r.out;

  ingresso_controllo in;
  in.linea = line;
  in.servizio = service;
  in.nome_linea = "Val_Chiara";
  in.numero_treno = "42";
  const esito_controllo c = controlla(in);
  EXPECT_EQ(c.errori, 0);
  EXPECT_EQ(c.avvisi, 0);

  opzioni_compilazione o;
  o.nome_linea = "Val_Chiara";
  o.numero_treno = "42";
  risultato_compilazione k = compila({line, service}, o);
  EXPECT_EQ(k.esito, esito_compilazione::completato);
  EXPECT_EQ(k.modello.codice_errore, 0);
  EXPECT_FALSE(k.sim.empty());

  const dati_documenti d = *dati_da_testi(line, service, "Val_Chiara", "42").dati;
  EXPECT_TRUE(controlla_scheda(sheet, d, {}).empty());
  EXPECT_TRUE(controlla_rallentamenti(form, d, {}).empty());
  EXPECT_NE(sheet.find("42"), std::string::npos);
}

TEST(RouteToolNew, NothingIsWrittenOverAFileWithoutForce) {
  testing::temp_folder dir;
  testing::write_text(dir.path() / "R_7_scheda_treno.txt", "mine");
  expect_usage_error(run({"new", "R", "7", "--out", dir.path().string()}),
                     "R_7_scheda_treno.txt' exists already");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "R_linea.txt"));
  EXPECT_EQ(testing::read_bytes(dir.path() / "R_7_scheda_treno.txt"), "mine");
  ASSERT_EQ(run({"new", "R", "7", "--out", dir.path().string(), "--force"}).status, 0);
  EXPECT_NE(testing::read_bytes(dir.path() / "R_7_scheda_treno.txt"), "mine");
}

TEST(RouteToolNew, NamesThatCannotNameTheFilesAreRefused) {
  EXPECT_EQ(route_name_fault("Viterbo_Attigliano_Orte"), "");
  EXPECT_EQ(route_name_fault("A-1"), "");
  EXPECT_NE(route_name_fault(""), "");
  EXPECT_NE(route_name_fault("_A"), "");
  EXPECT_NE(route_name_fault("a b"), "");
  EXPECT_NE(route_name_fault("a/b"), "");
  EXPECT_NE(route_name_fault("a\\b"), "");
  EXPECT_NE(route_name_fault("caf\xe9"), "");
  EXPECT_EQ(train_number_fault("7547"), "");
  EXPECT_EQ(train_number_fault("R12"), "");
  EXPECT_NE(train_number_fault(""), "");
  EXPECT_NE(train_number_fault("75_47"), "");
  EXPECT_NE(train_number_fault("75-47"), "");

  testing::temp_folder dir;
  expect_usage_error(run({"new", "a b", "1", "--out", dir.path().string()}),
                     "'a b' cannot be a route name: ' ' cannot stand in a file name");
  expect_usage_error(run({"new", "R", "1_2", "--out", dir.path().string()}),
                     "'1_2' cannot be a train number");
  expect_usage_error(run({"new", "R", "--out", dir.path().string()}),
                     "'new' needs a route NAME and a train NUMBER");
  expect_usage_error(run({"new", "R", "1", "x", "--out", dir.path().string()}),
                     "unexpected argument 'x' for 'new'");
  expect_usage_error(run({"new", "R", "1"}), "needs --out");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace scenario
