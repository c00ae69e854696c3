// SHA-256 of the three binary route files of the fixed scenario (train 7547
// on Viterbo - Attigliano - Orte), pinned after checking their sizes, the
// reserved slots and every marker of the placement pass by hand. Shared by
// the compiler's golden test and the test that runs the program.
#pragma once

#include <string_view>

namespace scenario::scenario_fisso {

inline constexpr std::string_view sha256_linea_dat =
    "3df4e333afd322267051141d71d687b4a7828d5ed998645486a5e348e4f18c77";
inline constexpr std::string_view sha256_sim =
    "531b5cd6cd3115fc528d4d62337a8a25f03333f721abf5757e157b8956500013";
inline constexpr std::string_view sha256_celle_dat =
    "11fd0f9e43f3fb17475da685461c10d31bd955f6902c99f5fc6ec163b69cc3d4";

}  // namespace scenario::scenario_fisso
