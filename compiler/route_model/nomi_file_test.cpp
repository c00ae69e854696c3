// The scenario's file names, written out: every reader, writer and tool
// builds them from these functions, so a test that builds them the same
// way would not see a name turned round.
#include "compiler/route_model/nomi_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

TEST(NomiFile, TheEightFilesInTheOrderARunWritesThem) {
  const std::vector<std::string> attesi = {
      "Viterbo_Attigliano_Orte_linea.txt",
      "Viterbo_Attigliano_Orte_7547-.txt",
      "Viterbo_Attigliano_Orte_7547_note.txt",
      "Viterbo_Attigliano_Orte_7547_rallentamenti.txt",
      "Viterbo_Attigliano_Orte_7547_scheda_treno.txt",
      "Viterbo_Attigliano_Orte_linea.dat",
      "Viterbo_Attigliano_Orte_7547.sim",
      "Viterbo_Attigliano_Orte_7547.dat",
  };
  EXPECT_EQ(nomi_file_scenario("Viterbo_Attigliano_Orte", "7547"), attesi);
  EXPECT_EQ(nome_file_modello_treno("Viterbo_Attigliano_Orte", "7547"),
            "Viterbo_Attigliano_Orte_7547_treno.json");
}

}  // namespace
}  // namespace scenario
