// The structured mutator reaches the readers' rules: edits of the fixed
// scenario give many different codes, stay within the size asked for, and
// every input it makes holds the compile step's and the checker's checks.
#include "fuzz/scenario_mutator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/file_system.h"
#include "fuzz/compile_check.h"

namespace scenario {
namespace {

std::string seme() {
  return disk_file_system{}.read_file(std::filesystem::path(VO_CORPUS_DIR) /
                                      "code_000_fixed_scenario");
}

TEST(ScenarioMutator, EditsReachManyCodesAndHoldTheChecks) {
  const std::string fisso = seme();
  std::set<std::int32_t> codici;
  std::string corrente = fisso;
  for (std::uint32_t s = 1; s <= 400; ++s) {
    // A walk of edits, back to the seed now and then.
    corrente = mutate_scenario(s % 8 == 0 ? fisso : corrente, s, 1 << 16);
    ASSERT_LE(corrente.size(), std::size_t{1} << 16);
    const compile_check_result r = check_compile_input(corrente);
    EXPECT_EQ(r.problem, "") << s;
    EXPECT_EQ(check_agrees_input(corrente), "") << s;
    codici.insert(r.codice_errore);
  }
  EXPECT_GE(codici.size(), 8u);
}

TEST(ScenarioMutator, TheSameSeedGivesTheSameEdit) {
  const std::string fisso = seme();
  EXPECT_EQ(mutate_scenario(fisso, 42, 1 << 16), mutate_scenario(fisso, 42, 1 << 16));
  EXPECT_NE(mutate_scenario(fisso, 42, 1 << 16), fisso);
  EXPECT_LE(mutate_scenario(fisso, 7, 100).size(), 100u);
  const std::string incrocio = cross_scenarios(fisso, fisso, 3, 1 << 16);
  EXPECT_NE(incrocio.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace scenario
