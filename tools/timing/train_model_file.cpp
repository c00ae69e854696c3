#include "tools/timing/train_model_file.h"

#include <system_error>

#include "base/file_system.h"
#include "base/path_utf8.h"
#include "compiler/route_model/nomi_file.h"

namespace scenario {

namespace {

constexpr std::string_view service_suffix = "-.txt";

std::filesystem::path path_of_utf8(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

bool is_file(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

}  // namespace

std::optional<std::string> train_model_name_for(std::string_view service_file_name) {
  if (service_file_name.size() <= service_suffix.size() ||
      !service_file_name.ends_with(service_suffix)) {
    return std::nullopt;
  }
  // NAME_NUMBER-.txt: NUMBER follows the last underscore.
  const std::string_view stem =
      service_file_name.substr(0, service_file_name.size() - service_suffix.size());
  const std::size_t cut = stem.rfind('_');
  if (cut == std::string_view::npos || cut == 0 || cut + 1 == stem.size()) return std::nullopt;
  return nome_file_modello_treno(stem.substr(0, cut), stem.substr(cut + 1));
}

std::optional<std::filesystem::path> find_train_model(const std::filesystem::path& service_file) {
  const auto name = train_model_name_for(path_utf8(service_file.filename()));
  if (!name) return std::nullopt;
  const std::filesystem::path p = service_file.parent_path() / path_of_utf8(*name);
  if (!is_file(p)) return std::nullopt;
  return p;
}

std::optional<std::filesystem::path> find_beside(const std::filesystem::path& dir,
                                                 const std::string& name) {
  const std::filesystem::path p = dir / path_of_utf8(name);
  if (!is_file(p)) return std::nullopt;
  return p;
}

std::optional<std::filesystem::path> find_train_model_in(const std::filesystem::path& dir,
                                                         std::string_view route,
                                                         std::string_view train) {
  return find_beside(dir, nome_file_modello_treno(route, train));
}

modello_treno load_train_model(const std::filesystem::path& file) {
  disk_file_system disk;
  std::string text;
  try {
    text = disk.read_file(file);
  } catch (const file_error& e) {
    throw train_model_error(path_utf8(file) + ": " + e.reason(), "");
  }
  auto r = leggi_modello_treno(text);
  if (auto* e = std::get_if<errore_modello_treno>(&r)) {
    throw train_model_error(path_utf8(file) + ": " + e->testo, e->campo);
  }
  return std::get<modello_treno>(r);
}

}  // namespace scenario
