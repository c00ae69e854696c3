#include "tools/route_tool/scenario_names.h"

#include <filesystem>

#include "base/path_utf8.h"
#include "tools/lsp/pairing.h"
#include "tools/route_tool/command_line.h"

namespace scenario {

namespace {

lsp::name_parts parts_of(const std::string& file) {
  return lsp::parts_of_name(path_utf8(std::filesystem::path(file).filename()));
}

}  // namespace

scenario_names names_of_texts(const std::string& command, const std::optional<std::string>& route,
                              const std::optional<std::string>& train, const std::string& line_file,
                              const std::string& service_file) {
  const lsp::name_parts line = parts_of(line_file);
  const lsp::name_parts service = parts_of(service_file);
  scenario_names n;
  const bool route_known =
      route || line.kind == lsp::file_kind::line || service.kind == lsp::file_kind::service;
  const bool train_known = train || service.kind == lsp::file_kind::service;
  if (!route_known) {
    throw usage_error("'" + command + "' cannot tell the route name from the file names '" +
                      line_file + "' and '" + service_file +
                      "' (not NAME_linea.txt or NAME_NUMBER-.txt): give --route NAME" +
                      (train_known ? "" : " and --train NUMBER"));
  }
  if (!train_known) {
    throw usage_error("'" + command + "' cannot tell the train number from the name '" +
                      service_file + "' (not NAME_NUMBER-.txt): give --train NUMBER");
  }
  n.route = route ? *route : line.kind == lsp::file_kind::line ? line.route : service.route;
  n.train = train ? *train : service.train;
  return n;
}

}  // namespace scenario
