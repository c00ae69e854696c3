// Every input kept in the seed corpus, the fuzzer's findings included, runs
// through the same checks as in the fuzzer. Inputs named code_NNN_* must
// also leave code NNN in the error pair, fatal_NNNN_* must stop with that
// report, and no_model_* must end without a route model.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "compiler/route_model/nomi_file.h"
#include "fuzz/compile_check.h"
#include "sources/writers.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& p) {
  return disk_file_system{}.read_file(p);
}

std::vector<fs::path> corpus() {
  std::vector<fs::path> out;
  for (const auto& e : fs::directory_iterator(VO_CORPUS_DIR))
    if (e.is_regular_file()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

TEST(FuzzCorpus, EveryInputHoldsTheChecks) {
  const auto inputs = corpus();
  ASSERT_GE(inputs.size(), 30u);
  for (const fs::path& p : inputs) {
    SCOPED_TRACE(p.filename().string());
    const compile_check_result r = check_compile_input(read_bytes(p));
    EXPECT_EQ(r.problem, "");
  }
}

// The checker reports what the compile step records, on every input.
TEST(FuzzCorpus, CheckAgreesWithCompileOnEveryInput) {
  for (const fs::path& p : corpus()) {
    SCOPED_TRACE(p.filename().string());
    EXPECT_EQ(check_agrees_input(read_bytes(p)), "");
  }
}

TEST(FuzzCorpus, NamedInputsLeaveTheirCode) {
  int named = 0;
  for (const fs::path& p : corpus()) {
    const std::string name = p.filename().string();
    SCOPED_TRACE(name);
    const compile_check_result r = check_compile_input(read_bytes(p));
    if (name.starts_with("code_")) {
      ++named;
      EXPECT_EQ(r.codice_errore, std::stoi(name.substr(5, 3)));
    } else if (name.starts_with("fatal_1250_")) {
      ++named;
      EXPECT_EQ(r.esito, esito_compilazione::errore_1250);
    } else if (name.starts_with("fatal_1251_")) {
      ++named;
      EXPECT_EQ(r.esito, esito_compilazione::errore_1251);
    } else if (name.starts_with("no_model_")) {
      ++named;
      EXPECT_EQ(r.esito, esito_compilazione::senza_modello);
    }
  }
  EXPECT_GE(named, 30);
}

// The fixed scenario's seed is the two files the writers write today.
TEST(FuzzCorpus, FixedScenarioSeedIsWhatTheWritersWrite) {
  memory_file_system mem;
  const program_folder cartella{"/s", '/'};
  dati_linea(mem, cartella, "Viterbo_Attigliano_Orte");
  dati_treno(mem, cartella, "Viterbo_Attigliano_Orte", "7547");
  const std::string expected =
      mem.read_file(file_path(cartella, nome_file_linea_txt("Viterbo_Attigliano_Orte"))) +
      std::string(1, '\0') +
      mem.read_file(file_path(cartella, nome_file_servizio_txt("Viterbo_Attigliano_Orte", "7547")));
  EXPECT_EQ(read_bytes(fs::path(VO_CORPUS_DIR) / "code_000_fixed_scenario"), expected);
}

TEST(FuzzCorpus, CheckerKnowsExactlyTheTableOfCodes) {
  int known = 0;
  for (int c = -5; c <= 2000; ++c) known += is_known_code(c) ? 1 : 0;
  EXPECT_EQ(known, 27);
  EXPECT_FALSE(is_known_code(14));
  EXPECT_FALSE(is_known_code(23));
  EXPECT_FALSE(is_known_code(1250));  // reported through the outcome, not the pair
}

}  // namespace
}  // namespace scenario
