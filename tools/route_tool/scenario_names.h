// The route name and the train number of a scenario given as its two text
// files: as the command line gives them, else as the compiler's naming rule
// reads them in the files' names (NAME_linea.txt, NAME_NUMBER-.txt), the
// way the language server pairs files. Never a fixed scenario's names: an
// author's files compiled under another route's name would give files and
// competition codes of that route.
#pragma once

#include <optional>
#include <string>

namespace scenario {

struct scenario_names {
  std::string route;
  std::string train;
};

// The route: given, else the line file's NAME, else the service file's.
// The train: given, else the service file's NUMBER. `command` names the
// command in the usage error thrown when a name cannot be told, which asks
// for --route or --train.
scenario_names names_of_texts(const std::string& command, const std::optional<std::string>& route,
                              const std::optional<std::string>& train, const std::string& line_file,
                              const std::string& service_file);

}  // namespace scenario
