#include "tools/route_tool/input_files.h"

#include <system_error>

#include "tools/route_tool/command_line.h"
#include "tools/timing/train_model_file.h"

namespace scenario {

namespace fs = std::filesystem;

std::string read_input(disk_file_system& disk, const std::string& what, const std::string& name) {
  const fs::path path(name);
  std::error_code ec;
  if (fs::is_directory(path, ec))
    throw usage_error(what + " '" + name + "' is a folder, not a file");
  if (!disk.file_exists(path)) throw usage_error(what + " '" + name + "' not found");
  try {
    return disk.read_file(path);
  } catch (const file_error& e) {
    throw usage_error("cannot read " + what + " '" + name + "': " + e.reason());
  }
}

void prepare_out_dir(const fs::path& dir) {
  std::error_code ec;
  if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) {
    throw usage_error("output folder '" + dir.string() + "' is a file, not a folder");
  }
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    throw usage_error("cannot create output folder '" + dir.string() + "': " + ec.message());
  }
}

chosen_train_model choose_train_model(const std::optional<std::string>& given,
                                      const std::optional<fs::path>& beside) {
  chosen_train_model c;
  if (given) {
    c.file = fs::path(*given);
  } else {
    c.file = beside;
  }
  if (!c.file) return c;
  try {
    c.model = load_train_model(*c.file);
  } catch (const train_model_error& e) {
    throw usage_error(std::string("train model ") + e.what());
  }
  return c;
}

}  // namespace scenario
