// The bash completion of route_tool, generated from its command line.
#pragma once

#include <string>
#include <vector>

#include "tools/route_tool/command_line.h"

namespace scenario {

// A script for bash that completes the commands, each command's options, and
// paths where an option's value or the plain argument is a FILE or a DIR;
// it registers itself for "route_tool" when sourced.
std::string bash_completion(const std::vector<command_rule>& commands);

}  // namespace scenario
