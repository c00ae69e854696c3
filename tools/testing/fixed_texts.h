// Test support: the fixed scenario's two description files as the program
// writes them, in memory.
#pragma once

#include <string>

namespace scenario::testing {

struct scenario_texts {
  std::string line, service;
};

// The route "Viterbo_Attigliano_Orte", train "7547".
scenario_texts fixed_texts();

}  // namespace scenario::testing
