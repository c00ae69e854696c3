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

std::optional<fs::path> train_model_file_for(const std::optional<std::string>& named,
                                             const fs::path& service_file) {
  if (named) return fs::path(*named);
  return find_train_model(service_file);
}

modello_treno read_train_model(const fs::path& file) {
  try {
    return load_train_model(file);
  } catch (const train_model_error& e) {
    throw usage_error(std::string("train model ") + e.what());
  }
}

modello_treno train_model_for(const std::optional<std::string>& named,
                              const fs::path& service_file) {
  const std::optional<fs::path> file = train_model_file_for(named, service_file);
  return file ? read_train_model(*file) : modello_treno{};
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

}  // namespace scenario
