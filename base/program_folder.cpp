#include "base/program_folder.h"

#include <string>

namespace scenario {

std::filesystem::path file_path(const program_folder& folder, std::string_view name) {
  std::filesystem::path::string_type full = folder.dir.native();
  full += static_cast<std::filesystem::path::value_type>(folder.separator);
  full += std::filesystem::path(std::string(name)).native();
  return std::filesystem::path(std::move(full));
}

}  // namespace scenario
