// Golden files for the writers' tests: the exact bytes each writer must
// produce, one file per writer under sources/testdata, named as the program
// names it for "Viterbo_Attigliano_Orte" and train "7547".
//
// To rewrite them from the current output, run the tests with
// VO_REBASE_GOLDEN=1 in the environment (for example
// `VO_REBASE_GOLDEN=1 ctest --test-dir build -R sources`), then review the
// diff of sources/testdata by hand before committing it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace scenario {

// Where the golden files live (set by the build).
std::string golden_dir();

// "" when the two byte strings are equal; otherwise where they first differ:
// the byte offset, the line and column there (both from 1, lines ended by
// LF), the two bytes and the two sizes.
std::string first_difference(std::string_view expected, std::string_view actual);

// Compares `actual` with the golden file `name`, or rewrites that file when
// VO_REBASE_GOLDEN=1.
::testing::AssertionResult matches_golden(const std::string& name, std::string_view actual);

}  // namespace scenario
