// The compiled route a command works on: a folder, and the route name and
// train number that name its three files, given on the command line or
// found in the folder when it holds one set.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/program_folder.h"

namespace scenario {

struct compiled_set {
  program_folder folder;
  std::string route;
  std::string train;
};

// Every (route, train) with NAME_linea.dat, NAME_NUMBER.sim and
// NAME_NUMBER.dat in `dir`, sorted.
std::vector<std::pair<std::string, std::string>> compiled_sets_in(const std::filesystem::path& dir);

// The set to use: both names given, or the one set in the folder that
// matches what is given. Throws usage_error when the folder is missing or a
// file, or when none or several sets match.
compiled_set find_compiled_set(const std::string& dir, const std::optional<std::string>& route,
                               const std::optional<std::string>& train);

}  // namespace scenario
