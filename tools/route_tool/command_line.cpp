#include "tools/route_tool/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>

namespace scenario {

namespace {

// Every command's help flag, declared by tool_app.
const option_rule help_option{"--help", "-h", "", false};

const option_rule* find_option(const command_rule& rule, const std::string& name) {
  if (name == help_option.name || name == help_option.alias) return &help_option;
  for (const option_rule& o : rule.options) {
    if (o.name == name || (!o.alias.empty() && o.alias == name)) return &o;
  }
  return nullptr;
}

// CLI11 reads "--out=" as "--out" followed by the next argument as its value,
// and "--json=1" or "--json=false" as a flag's value; here "--out=" is the
// empty value and a flag takes none. An option's value is the argument after
// it whatever it looks like, as CLI11 takes it, so an option left without
// one can only be the last argument.
std::vector<std::string> with_value_forms_checked(const command_rule& rule,
                                                  const std::vector<std::string>& args,
                                                  const parsed_command& p) {
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") {
      tokens.insert(tokens.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
      break;
    }
    tokens.push_back(a);
    const std::string name = a.rfind("--", 0) == 0 ? a.substr(0, a.find('=')) : a;
    const option_rule* o = find_option(rule, name);
    if (o == nullptr) continue;  // an argument, or an option CLI11 leaves over
    const bool inline_value = name.size() < a.size();
    if (o->value.empty()) {
      if (inline_value) throw p.error("option '" + o->name + "' takes no value");
    } else if (inline_value) {
      if (a.size() == name.size() + 1) {
        tokens.back() = name;
        tokens.emplace_back();
      }
    } else if (i + 1 == args.size()) {
      throw p.error("option '" + o->name + "' needs a value");
    } else {
      tokens.push_back(args[++i]);
    }
  }
  return tokens;
}

std::string cli11_names(const option_rule& o) {
  return o.alias.empty() ? o.name : o.name + "," + o.alias;
}

// The name CLI11 gives the plain arguments of a command.
const std::string arguments_name = "ARGUMENTS";

}  // namespace

std::optional<std::string> parsed_command::value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

const std::string& parsed_command::at(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) throw std::logic_error("'" + command + "' reads " + name + " undeclared");
  return it->second;
}

std::string parsed_command::required(const std::string& name) const {
  if (const auto v = value(name)) return *v;
  throw error("'" + command + "' needs " + name);
}

std::string parsed_command::one_argument(const std::string& what) const {
  if (arguments.empty()) throw error("'" + command + "' needs " + what);
  if (arguments.size() > 1) {
    throw error("unexpected argument '" + arguments[1] + "' for '" + command + "'");
  }
  return arguments[0];
}

usage_error parsed_command::error(const std::string& what) const {
  return usage_error(what + " (see 'route_tool " + command + " --help')");
}

std::unique_ptr<CLI::App> tool_app(const std::vector<command_rule>& commands) {
  auto app = std::make_unique<CLI::App>("", "route_tool");
  // Help is printed from this tool's own texts, and a command's name further
  // on is one of its arguments (a folder may be called "dump").
  app->set_help_flag();
  app->require_subcommand(0, 1);
  app->add_flag(cli11_names(help_option));
  app->add_flag("--version");
  // Everything after it is ignored: it prints the tool's help.
  app->add_subcommand("help");
  for (const command_rule& c : commands) {
    CLI::App* sub = app->add_subcommand(c.name);
    // Unknown options are left over, to be named in this tool's words.
    sub->allow_extras();
    sub->add_flag(cli11_names(help_option))->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    for (const option_rule& o : c.options) {
      CLI::Option* option = o.value.empty() ? sub->add_flag(cli11_names(o))
                                            : sub->add_option(cli11_names(o))->type_name(o.value);
      option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
    sub->add_option(arguments_name)
        ->type_name(c.argument)
        ->expected(-1)  // any number, none included
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  }
  return app;
}

const command_rule* find_command(const std::vector<command_rule>& commands,
                                 const std::string& name) {
  for (const command_rule& c : commands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

parsed_command parse_command(const std::vector<command_rule>& commands, const command_rule& rule,
                             const std::vector<std::string>& args) {
  parsed_command p;
  p.command = rule.name;
  std::vector<std::string> tokens = with_value_forms_checked(rule, args, p);
  tokens.insert(tokens.begin(), rule.name);
  std::reverse(tokens.begin(), tokens.end());  // CLI11 takes them from the back

  const std::unique_ptr<CLI::App> app = tool_app(commands);
  try {
    app->parse(tokens);
  } catch (const CLI::ParseError& e) {
    throw p.error(e.what());
  }
  const CLI::App* sub = app->get_subcommand(rule.name);
  for (const std::string& left : sub->remaining()) {
    if (left == "--") break;  // what follows it are plain arguments
    if (left.size() > 1 && left[0] == '-') {
      throw p.error("unknown option '" + left.substr(0, left.find('=')) + "' for '" + p.command +
                    "'");
    }
  }
  for (const option_rule& o : rule.options) {
    const CLI::Option* option = sub->get_option(o.name);
    if (option->count() > 1) throw p.error("option '" + o.name + "' given twice");
    if (option->count() == 0) continue;
    if (o.value.empty()) {
      p.flags.insert(o.name);
    } else {
      p.values[o.name] = option->results().front();
    }
  }
  p.help = sub->get_option(help_option.name)->count() > 0;
  p.arguments = sub->get_option(arguments_name)->results();
  return p;
}

void check_arguments(const command_rule& rule, const parsed_command& p) {
  switch (rule.arguments) {
    case plain_arguments::none:
      if (!p.arguments.empty()) {
        throw p.error("unexpected argument '" + p.arguments[0] + "' for '" + p.command + "'");
      }
      break;
    case plain_arguments::folder_or_texts:
      if (p.has("--line") != p.has("--service")) {
        throw p.error("'" + p.command + "' needs both --line and --service");
      }
      if (!p.has("--line")) {
        p.one_argument(rule.argument_need);
      } else if (!p.arguments.empty()) {
        throw p.error("'" + p.command + "' takes --line and --service or a folder DIR, not both");
      }
      break;
    case plain_arguments::one:
      p.one_argument(rule.argument_need);
      break;
    case plain_arguments::two:
      if (p.arguments.size() < 2) throw p.error("'" + p.command + "' needs " + rule.argument_need);
      if (p.arguments.size() > 2) {
        throw p.error("unexpected argument '" + p.arguments[2] + "' for '" + p.command + "'");
      }
      break;
  }
  for (const option_rule& o : rule.options) {
    if (o.required) p.required(o.name);
  }
}

program_folder folder_of(const std::string& dir) {
  return {dir.empty() ? std::filesystem::path(".") : std::filesystem::path(dir),
          static_cast<char>(std::filesystem::path::preferred_separator)};
}

}  // namespace scenario
