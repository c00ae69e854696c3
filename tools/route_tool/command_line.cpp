#include "tools/route_tool/command_line.h"

#include <filesystem>

namespace scenario {

std::optional<std::string> parsed_command::value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

parsed_command parse_command(const std::string& command, const std::vector<std::string>& args,
                             const std::vector<option_rule>& options) {
  parsed_command p;
  const std::string see = " (see 'route_tool " + command + " --help')";
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options_ended || a.empty() || a[0] != '-' || a == "-") {
      p.arguments.push_back(a);
      continue;
    }
    if (a == "--") {
      options_ended = true;
      continue;
    }
    if (a == "-h" || a == "--help") {
      p.help = true;
      continue;
    }
    std::string name = a;
    std::optional<std::string> inline_value;
    if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = a.substr(0, eq);
      inline_value = a.substr(eq + 1);
    }
    const option_rule* rule = nullptr;
    for (const auto& o : options) {
      if (o.name == name || (!o.alias.empty() && o.alias == name)) rule = &o;
    }
    if (rule == nullptr)
      throw usage_error("unknown option '" + name + "' for '" + command + "'" + see);
    if (p.has(rule->name)) throw usage_error("option '" + rule->name + "' given twice" + see);
    if (!rule->takes_value) {
      if (inline_value) throw usage_error("option '" + rule->name + "' takes no value" + see);
      p.flags.insert(rule->name);
      continue;
    }
    if (inline_value) {
      p.values[rule->name] = *inline_value;
    } else if (i + 1 < args.size()) {
      p.values[rule->name] = args[++i];
    } else {
      throw usage_error("option '" + rule->name + "' needs a value" + see);
    }
  }
  return p;
}

program_folder folder_of(const std::string& dir) {
  return {dir.empty() ? std::filesystem::path(".") : std::filesystem::path(dir),
          static_cast<char>(std::filesystem::path::preferred_separator)};
}

}  // namespace scenario
