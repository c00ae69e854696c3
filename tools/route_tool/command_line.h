// Parses the arguments of one route_tool command: options with a value
// ("--out DIR" or "--out=DIR"), flags ("--json") and plain arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/program_folder.h"

namespace scenario {

// A command line that cannot be acted on; its text is one line naming the fault.
class usage_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct option_rule {
  std::string name;   // "--out"
  std::string alias;  // "-o", or empty
  bool takes_value = false;
};

struct parsed_command {
  std::map<std::string, std::string> values;  // by option name
  std::set<std::string> flags;
  std::vector<std::string> arguments;
  bool help = false;

  bool has(const std::string& name) const { return values.count(name) || flags.count(name); }
  std::optional<std::string> value(const std::string& name) const;
};

// Throws usage_error for an unknown option, a missing value or an option
// given twice. "-h" and "--help" set `help`; "--" ends the options.
parsed_command parse_command(const std::string& command, const std::vector<std::string>& args,
                             const std::vector<option_rule>& options);

// The folder of compiled files a command names: "" is the current folder;
// file names are joined with the platform's separator.
program_folder folder_of(const std::string& dir);

}  // namespace scenario
