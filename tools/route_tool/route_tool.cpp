#include "tools/route_tool/route_tool.h"

#include <ostream>

#include "base/file_system.h"
#include "tools/lsp/lsp_session.h"
#include "tools/route_files/decode_error.h"
#include "tools/route_tool/check_command.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compile_command.h"
#include "tools/route_tool/decompile_command.h"
#include "tools/route_tool/dump_command.h"
#include "tools/route_tool/help_text.h"
#include "tools/route_tool/plot_command.h"
#include "tools/route_tool/sheets_command.h"
#include "tools/route_tool/view_command.h"

namespace scenario {

namespace {

constexpr int exit_usage = 2;

const option_rule route_option{"--route", "", true};
const option_rule train_option{"--train", "", true};
const option_rule from_option{"--from", "", true};
const option_rule to_option{"--to", "", true};

std::string one_argument(const parsed_command& p, const std::string& command,
                         const std::string& what) {
  const std::string see = " (see 'route_tool " + command + " --help')";
  if (p.arguments.empty()) throw usage_error("'" + command + "' needs " + what + see);
  if (p.arguments.size() > 1) {
    throw usage_error("unexpected argument '" + p.arguments[1] + "' for '" + command + "'" + see);
  }
  return p.arguments[0];
}

std::string required(const parsed_command& p, const std::string& command,
                     const std::string& option) {
  if (const auto v = p.value(option)) return *v;
  throw usage_error("'" + command + "' needs " + option + " (see 'route_tool " + command +
                    " --help')");
}

// The route a command works on: --line and --service together, or a folder
// DIR of compiled files.
struct route_input {
  std::optional<std::string> line_file, service_file, dir;
};

route_input route_input_of(const parsed_command& p, const std::string& command) {
  const std::string see = " (see 'route_tool " + command + " --help')";
  route_input in{p.value("--line"), p.value("--service"), std::nullopt};
  if (in.line_file.has_value() != in.service_file.has_value()) {
    throw usage_error("'" + command + "' needs both --line and --service" + see);
  }
  if (in.line_file && !p.arguments.empty()) {
    throw usage_error("'" + command + "' takes --line and --service or a folder DIR, not both" +
                      see);
  }
  if (!in.line_file) in.dir = one_argument(p, command, "a folder DIR, or --line and --service");
  return in;
}

int compile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const parsed_command p = parse_command("compile", args,
                                         {{"--line", "", true},
                                          {"--service", "", true},
                                          {"--out", "", true},
                                          route_option,
                                          train_option,
                                          {"--json", "", false}});
  if (p.help) {
    out << help_compile();
    return 0;
  }
  if (!p.arguments.empty()) {
    throw usage_error("unexpected argument '" + p.arguments[0] +
                      "' for 'compile' (see 'route_tool compile --help')");
  }
  compile_options o;
  o.line_file = required(p, "compile", "--line");
  o.service_file = required(p, "compile", "--service");
  o.out_dir = required(p, "compile", "--out");
  o.route = p.value("--route").value_or(nome_linea_predefinito);
  o.train = p.value("--train").value_or(numero_treno_predefinito);
  o.json = p.has("--json");
  return run_compile(o, out, err);
}

int check(const std::vector<std::string>& args, std::ostream& out) {
  const parsed_command p = parse_command("check", args,
                                         {{"--line", "", true},
                                          {"--service", "", true},
                                          route_option,
                                          train_option,
                                          {"--json", "", false},
                                          {"--werror", "", false}});
  if (p.help) {
    out << help_check();
    return 0;
  }
  if (!p.arguments.empty()) {
    throw usage_error("unexpected argument '" + p.arguments[0] +
                      "' for 'check' (see 'route_tool check --help')");
  }
  check_options o;
  o.line_file = required(p, "check", "--line");
  o.service_file = required(p, "check", "--service");
  o.route = p.value("--route").value_or(nome_linea_predefinito);
  o.train = p.value("--train").value_or(numero_treno_predefinito);
  o.json = p.has("--json");
  o.werror = p.has("--werror");
  return run_check(o, out);
}

int dump(const std::vector<std::string>& args, std::ostream& out) {
  const parsed_command p = parse_command(
      "dump", args, {route_option, train_option, {"--json", "", false}, {"--hex", "", false}});
  if (p.help) {
    out << help_dump();
    return 0;
  }
  dump_options o;
  o.dir = one_argument(p, "dump", "a folder DIR");
  o.route = p.value("--route");
  o.train = p.value("--train");
  if (p.has("--json") && p.has("--hex")) {
    throw usage_error("--json and --hex exclude each other (see 'route_tool dump --help')");
  }
  if (p.has("--json")) o.format = dump_format::json;
  if (p.has("--hex")) o.format = dump_format::hex;
  return run_dump(o, out);
}

int plot(const std::vector<std::string>& args, std::ostream& out) {
  const parsed_command p = parse_command(
      "plot", args, {route_option, train_option, {"--output", "-o", true}, from_option, to_option});
  if (p.help) {
    out << help_plot();
    return 0;
  }
  plot_options o;
  o.dir = one_argument(p, "plot", "a folder DIR");
  o.output = required(p, "plot", "--output");
  o.route = p.value("--route");
  o.train = p.value("--train");
  o.from = p.value("--from");
  o.to = p.value("--to");
  return run_plot(o, out);
}

int decompile_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const parsed_command p = parse_command("decompile", args,
                                         {{"--out", "", true},
                                          route_option,
                                          train_option,
                                          {"--line", "", true},
                                          {"--service", "", true}});
  if (p.help) {
    out << help_decompile();
    return 0;
  }
  decompile_options o;
  o.dir = one_argument(p, "decompile", "a folder DIR");
  o.out_dir = required(p, "decompile", "--out");
  o.route = p.value("--route");
  o.train = p.value("--train");
  o.line_file = p.value("--line").value_or("");
  o.service_file = p.value("--service").value_or("");
  return run_decompile(o, out, err);
}

int view(const std::vector<std::string>& args, std::ostream& out) {
  const parsed_command p = parse_command("view", args,
                                         {{"--line", "", true},
                                          {"--service", "", true},
                                          route_option,
                                          train_option,
                                          {"--output", "-o", true},
                                          from_option,
                                          to_option});
  if (p.help) {
    out << help_view();
    return 0;
  }
  view_options o;
  const route_input in = route_input_of(p, "view");
  o.line_file = in.line_file;
  o.service_file = in.service_file;
  o.dir = in.dir;
  o.output = required(p, "view", "--output");
  o.route = p.value("--route");
  o.train = p.value("--train");
  o.from = p.value("--from");
  o.to = p.value("--to");
  return run_view(o, out);
}

int sheets(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const parsed_command p = parse_command("sheets", args,
                                         {{"--line", "", true},
                                          {"--service", "", true},
                                          {"--out", "", true},
                                          route_option,
                                          train_option,
                                          {"--train-model", "", true}});
  if (p.help) {
    out << help_sheets();
    return 0;
  }
  sheets_options o;
  const route_input in = route_input_of(p, "sheets");
  o.line_file = in.line_file;
  o.service_file = in.service_file;
  o.dir = in.dir;
  o.out_dir = required(p, "sheets", "--out");
  o.route = p.value("--route");
  o.train = p.value("--train");
  o.train_model = p.value("--train-model");
  return run_sheets(o, out, err);
}

int serve_editor(const std::vector<std::string>& args, std::ostream& out) {
  const parsed_command p = parse_command("lsp", args, {route_option, train_option});
  if (p.help) {
    out << help_lsp();
    return 0;
  }
  if (!p.arguments.empty()) {
    throw usage_error("unexpected argument '" + p.arguments[0] +
                      "' for 'lsp' (see 'route_tool lsp --help')");
  }
  return lsp::run_stdio_session({p.value("--route").value_or(nome_linea_predefinito),
                                 p.value("--train").value_or(numero_treno_predefinito)});
}

}  // namespace

int run_route_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.empty()) {
      err << "route_tool: error: no command given (see 'route_tool --help')\n";
      return exit_usage;
    }
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "-h" || command == "--help" || command == "help") {
      out << help_route_tool();
      return 0;
    }
    if (command == "--version") {
      out << "route_tool " << VO_VERSION << '\n';
      return 0;
    }
    if (command == "compile") return compile(rest, out, err);
    if (command == "check") return check(rest, out);
    if (command == "decompile") return decompile_command(rest, out, err);
    if (command == "dump") return dump(rest, out);
    if (command == "plot") return plot(rest, out);
    if (command == "view") return view(rest, out);
    if (command == "sheets") return sheets(rest, out, err);
    if (command == "lsp") return serve_editor(rest, out);
    throw usage_error("unknown command '" + command + "' (see 'route_tool --help')");
  } catch (const usage_error& e) {
    out.flush();
    err << "route_tool: error: " << e.what() << '\n';
  } catch (const decode_error& e) {
    out.flush();
    err << "route_tool: error: " << e.what() << '\n';
  } catch (const file_error& e) {
    out.flush();
    err << "route_tool: error: " << e.file().string() << ": " << e.reason() << '\n';
  } catch (const std::exception& e) {
    out.flush();
    err << "route_tool: error: " << e.what() << '\n';
  }
  return exit_usage;
}

}  // namespace scenario
