// The driver's documents' reader and cross-check on any bytes, read as a
// timetable sheet and as a slowdown order form against the fixed scenario,
// and the checks of what they give back: every finding has a known id of
// the right kind and a place inside the document, and an empty document
// gives exactly one finding. Shared by the fuzz target and the corpus test.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// Empty when every check held; else what broke.
std::string check_documents_input(std::string_view input);

}  // namespace scenario
