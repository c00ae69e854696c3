// The --help texts of route_tool and of each command.
#pragma once

#include <string_view>

namespace scenario {

std::string_view help_route_tool();
std::string_view help_compile();
std::string_view help_check();
std::string_view help_decompile();
std::string_view help_dump();
std::string_view help_plot();
std::string_view help_view();
std::string_view help_sheets();
std::string_view help_timing();
std::string_view help_new();
std::string_view help_lsp();
std::string_view help_completion();

}  // namespace scenario
