// The route_tool command line: picks the command, parses its options and
// turns every failure into a one-line message and an exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace scenario {

// `args` without the program name. Returns the exit status.
int run_route_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace scenario
