// The lines of the program's own timetable sheet and slowdown order form,
// UTF-8 and without their line ends: the layouts that route_tool's
// documents follow and read back.
#pragma once

#include <span>
#include <string_view>

namespace scenario {

std::span<const std::string_view> righe_scheda();
std::span<const std::string_view> righe_rallentamenti();

}  // namespace scenario
