// Test and benchmark support: the fixed scenario's two description files as
// its writers write them, in memory.
#pragma once

#include <string>

namespace scenario {

struct fixed_scenario_texts {
  std::string line, service;
};

// The route "Viterbo_Attigliano_Orte", train "7547".
fixed_scenario_texts fixed_texts();

// The same with the one fault check finds in them mended: Sipicciano S.
// Nicola at 14:18:00, as its timetable sheet gives it, instead of Grotte S.
// Stefano's 14:09:00 (same columns). Texts check finds clean.
fixed_scenario_texts fixed_texts_on_time();

// The driver's two documents as the program writes them.
struct fixed_scenario_documents {
  std::string sheet, form;
};
fixed_scenario_documents fixed_documents();

}  // namespace scenario
