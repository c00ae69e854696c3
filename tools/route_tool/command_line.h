// route_tool's command line: every command is declared once (its options,
// its plain arguments, its help text, what it runs) and parsed with CLI11;
// the shell completion is generated from the same declarations.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/program_folder.h"

namespace CLI {
class App;
}

namespace scenario {

// A command line that cannot be acted on; its text is one line naming the fault.
class usage_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct option_rule {
  std::string name;   // "--out"
  std::string alias;  // "-o", or empty
  // What the value is, as the help text names it ("FILE", "DIR", "NAME", "KM"):
  // FILE and DIR complete as paths. Empty for a flag.
  std::string value;
  bool required = false;
};

// The plain arguments a command takes.
enum class plain_arguments {
  none,            // any is "unexpected argument"
  one,             // exactly one, named by `argument`
  two,             // exactly two, named together by `argument` ("NAME NUMBER")
  folder_or_texts  // one, or none with --line and --service given together
};

struct parsed_command;

struct command_rule {
  std::string name;  // "compile"
  std::string_view help;
  std::vector<option_rule> options;
  plain_arguments arguments = plain_arguments::none;
  // What the plain argument is: its completion ("DIR" completes as a folder)
  // and the words of "'dump' needs a folder DIR".
  std::string argument;       // "DIR"
  std::string argument_need;  // "a folder DIR"
  // Runs the command once its options and arguments are checked.
  std::function<int(const parsed_command&, std::ostream& out, std::ostream& err)> run;
};

struct parsed_command {
  std::string command;
  std::map<std::string, std::string> values;  // by option name
  std::set<std::string> flags;
  std::vector<std::string> arguments;
  bool help = false;

  bool has(const std::string& name) const { return values.count(name) || flags.count(name); }
  std::optional<std::string> value(const std::string& name) const;
  // The value of an option the command declares required (checked before it runs).
  const std::string& at(const std::string& name) const;
  // Throws "'view' needs --output (see 'route_tool view --help')" when missing.
  std::string required(const std::string& name) const;
  // The one plain argument; throws when there is none or more.
  std::string one_argument(const std::string& what) const;
  // A usage error about this command, pointing at its help.
  usage_error error(const std::string& what) const;
};

// The command of that name, or null.
const command_rule* find_command(const std::vector<command_rule>& commands,
                                 const std::string& name);

// Parses the arguments after the command's name with CLI11, in the
// application of all the commands (see tool_app). Throws usage_error for an
// unknown option, an option without its value, a value given to a flag, or
// an option given twice. "-h" and "--help" set `help`; "--" ends the
// options. Plain arguments and required options are checked apart, by
// check_arguments.
parsed_command parse_command(const std::vector<command_rule>& commands, const command_rule& rule,
                             const std::vector<std::string>& args);

// Checks what the rule says of the plain arguments, then the required
// options in their order.
void check_arguments(const command_rule& rule, const parsed_command& p);

// The CLI11 application of the whole tool, one subcommand per command: the
// parser, and what the completion is generated from.
std::unique_ptr<CLI::App> tool_app(const std::vector<command_rule>& commands);

// The folder of compiled files a command names: "" is the current folder;
// file names are joined with the platform's separator.
program_folder folder_of(const std::string& dir);

}  // namespace scenario
