// The folder that holds the running executable, asked of the operating
// system: /proc/self/exe on Linux, GetModuleFileNameW on Windows.
#pragma once

#include <filesystem>

namespace scenario {

std::filesystem::path executable_folder();

}  // namespace scenario
