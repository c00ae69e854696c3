// Where the scenario's files live, and the rule that names them: the folder,
// one separator (always inserted, even after a drive root), then the name.
#pragma once

#include <filesystem>
#include <string_view>

namespace scenario {

struct program_folder {
  std::filesystem::path dir;
  char separator = '/';  // "\" on Windows
};

std::filesystem::path file_path(const program_folder& folder, std::string_view name);

}  // namespace scenario
