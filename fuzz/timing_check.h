// The running-time calculation on a line file and a service file held in
// memory, and the checks of its result: a named reason, or a run whose
// every figure is finite, that never exceeds a limit, never goes back in
// place or time, and whose sections add up. Shared by the fuzz target and
// the corpus test.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// The fuzzer's input as compile_check takes it (the line file up to the
// first NUL byte, the service file after it), timed with the default train
// or with a weak one (a quarter of its starting effort and power), which
// reaches stalls too. Empty when every check held, else what broke.
std::string check_timing(std::string_view input, bool weak_train);

// The fuzz target's choice: the weak train for an input of odd size.
std::string check_timing_input(std::string_view input);

}  // namespace scenario
