#include "tools/route_tool/route_tool.h"

#include <charconv>
#include <ostream>

#include "base/file_system.h"
#include "compiler/format/errore_decodifica.h"
#include "tools/lsp/lsp_session.h"
#include "tools/route_tool/bash_completion.h"
#include "tools/route_tool/check_command.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compile_command.h"
#include "tools/route_tool/decompile_command.h"
#include "tools/route_tool/dump_command.h"
#include "tools/route_tool/help_text.h"
#include "tools/route_tool/new_command.h"
#include "tools/route_tool/plot_command.h"
#include "tools/route_tool/sheets_command.h"
#include "tools/route_tool/timing_command.h"
#include "tools/route_tool/view_command.h"

namespace scenario {

namespace {

constexpr int exit_usage = 2;

// The language server's names for a pair whose file names do not give them.
constexpr const char* lsp_default_route = "Viterbo_Attigliano_Orte";
constexpr const char* lsp_default_train = "7547";

const option_rule line_option{"--line", "", "FILE"};
const option_rule service_option{"--service", "", "FILE"};
const option_rule route_option{"--route", "", "NAME"};
const option_rule train_option{"--train", "", "NUMBER"};
const option_rule json_option{"--json", "", ""};
const option_rule output_option{"--output", "-o", "FILE"};
const option_rule from_option{"--from", "", "KM"};
const option_rule to_option{"--to", "", "KM"};
const option_rule werror_option{"--werror", "", ""};
const option_rule train_model_option{"--train-model", "", "FILE"};

option_rule required(option_rule o) {
  o.required = true;
  return o;
}

// A whole number of metres from 0 to 100000 given to `option`.
std::int32_t metres_of(const parsed_command& p, const std::string& option,
                       const std::string& value) {
  std::int32_t m = -1;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), m);
  if (ec != std::errc{} || end != value.data() + value.size() || m < 0 || m > 100000) {
    throw p.error(option + " takes whole metres from 0 to 100000, not '" + value + "'");
  }
  return m;
}

// Every command: its name, help text, options and plain arguments, and what
// it runs once they are checked. A new command is one more entry here.
// check's --format text|json|sarif; --json is --format json.
check_format check_format_of(const parsed_command& p) {
  const std::optional<std::string> f = p.value("--format");
  if (p.has("--json") && f && *f != "json") {
    throw p.error("--json and --format " + *f + " exclude each other");
  }
  if (p.has("--json") || f == "json") return check_format::json;
  if (!f || *f == "text") return check_format::text;
  if (*f == "sarif") return check_format::sarif;
  throw p.error("--format takes text, json or sarif, not '" + *f + "'");
}

const std::vector<command_rule>& commands() {
  static const std::vector<command_rule> list = {
      {"compile",
       help_compile(),
       {required(line_option),
        required(service_option),
        required({"--out", "", "DIR"}),
        route_option,
        train_option,
        json_option,
        werror_option,
        {"--verbose", "", ""}},
       plain_arguments::none,
       "",
       "",
       [](const parsed_command& p, std::ostream& out, std::ostream& err) {
         compile_options o;
         o.line_file = p.at("--line");
         o.service_file = p.at("--service");
         o.out_dir = p.at("--out");
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.json = p.has("--json");
         o.werror = p.has("--werror");
         o.verbose = p.has("--verbose");
         return run_compile(o, out, err);
       }},
      {"check",
       help_check(),
       {required(line_option),
        required(service_option),
        route_option,
        train_option,
        json_option,
        {"--format", "", "FORMAT"},
        werror_option,
        {"--sheet", "", "FILE"},
        {"--slowdown-form", "", "FILE"},
        {"--sheet-km-tolerance", "", "M"},
        train_model_option},
       plain_arguments::none,
       "",
       "",
       [](const parsed_command& p, std::ostream& out, std::ostream&) {
         check_options o;
         o.line_file = p.at("--line");
         o.service_file = p.at("--service");
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.format = check_format_of(p);
         o.werror = p.has("--werror");
         o.sheet_file = p.value("--sheet");
         o.form_file = p.value("--slowdown-form");
         if (const auto m = p.value("--sheet-km-tolerance")) {
           o.sheet_km_tolerance = metres_of(p, "--sheet-km-tolerance", *m);
         }
         o.train_model = p.value("--train-model");
         return run_check(o, out);
       }},
      {"decompile",
       help_decompile(),
       {required({"--out", "", "DIR"}), route_option, train_option, line_option, service_option},
       plain_arguments::one,
       "DIR",
       "a folder DIR",
       [](const parsed_command& p, std::ostream& out, std::ostream& err) {
         decompile_options o;
         o.dir = p.arguments[0];
         o.out_dir = p.at("--out");
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.line_file = p.value("--line").value_or("");
         o.service_file = p.value("--service").value_or("");
         return run_decompile(o, out, err);
       }},
      {"dump",
       help_dump(),
       {route_option, train_option, json_option, {"--hex", "", ""}},
       plain_arguments::one,
       "DIR",
       "a folder DIR",
       [](const parsed_command& p, std::ostream& out, std::ostream&) {
         dump_options o;
         o.dir = p.arguments[0];
         o.route = p.value("--route");
         o.train = p.value("--train");
         if (p.has("--json") && p.has("--hex")) {
           throw p.error("--json and --hex exclude each other");
         }
         if (p.has("--json")) o.format = dump_format::json;
         if (p.has("--hex")) o.format = dump_format::hex;
         return run_dump(o, out);
       }},
      {"plot",
       help_plot(),
       {route_option,
        train_option,
        required(output_option),
        from_option,
        to_option,
        {"--train-model", "", "FILE"}},
       plain_arguments::one,
       "DIR",
       "a folder DIR",
       [](const parsed_command& p, std::ostream& out, std::ostream&) {
         plot_options o;
         o.dir = p.arguments[0];
         o.output = p.at("--output");
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.from = p.value("--from");
         o.to = p.value("--to");
         o.train_model = p.value("--train-model");
         return run_plot(o, out);
       }},
      {"view",
       help_view(),
       {line_option,
        service_option,
        route_option,
        train_option,
        required(output_option),
        from_option,
        to_option,
        {"--train-model", "", "FILE"},
        {"--sheet", "", "FILE"},
        {"--slowdown-form", "", "FILE"}},
       plain_arguments::folder_or_texts,
       "DIR",
       "a folder DIR, or --line and --service",
       [](const parsed_command& p, std::ostream& out, std::ostream&) {
         view_options o;
         o.line_file = p.value("--line");
         o.service_file = p.value("--service");
         if (!o.line_file) o.dir = p.arguments[0];
         o.output = p.at("--output");
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.from = p.value("--from");
         o.to = p.value("--to");
         o.train_model = p.value("--train-model");
         o.sheet = p.value("--sheet");
         o.slowdown_form = p.value("--slowdown-form");
         return run_view(o, out);
       }},
      {"sheets",
       help_sheets(),
       {line_option, service_option, required({"--out", "", "DIR"}), route_option, train_option,
        train_model_option},
       plain_arguments::folder_or_texts,
       "DIR",
       "a folder DIR, or --line and --service",
       [](const parsed_command& p, std::ostream& out, std::ostream& err) {
         sheets_options o;
         o.line_file = p.value("--line");
         o.service_file = p.value("--service");
         if (!o.line_file) o.dir = p.arguments[0];
         o.out_dir = p.at("--out");
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.train_model = p.value("--train-model");
         return run_sheets(o, out, err);
       }},
      {"timing",
       help_timing(),
       {line_option,
        service_option,
        route_option,
        train_option,
        train_model_option,
        json_option,
        {"--profile", "", "FILE.csv"}},
       plain_arguments::folder_or_texts,
       "DIR",
       "a folder DIR, or --line and --service",
       [](const parsed_command& p, std::ostream& out, std::ostream&) {
         timing_options o;
         o.line_file = p.value("--line");
         o.service_file = p.value("--service");
         if (!o.line_file) o.dir = p.arguments[0];
         o.route = p.value("--route");
         o.train = p.value("--train");
         o.train_model = p.value("--train-model");
         o.json = p.has("--json");
         o.profile = p.value("--profile");
         return run_timing(o, out);
       }},
      {"new",
       help_new(),
       {required({"--out", "", "DIR"}), {"--force", "", ""}},
       plain_arguments::two,
       "NAME NUMBER",
       "a route NAME and a train NUMBER",
       [](const parsed_command& p, std::ostream& out, std::ostream& err) {
         new_options o;
         o.route = p.arguments[0];
         o.train = p.arguments[1];
         o.out_dir = p.at("--out");
         o.force = p.has("--force");
         return run_new(o, out, err);
       }},
      {"lsp",
       help_lsp(),
       {route_option, train_option},
       plain_arguments::none,
       "",
       "",
       [](const parsed_command& p, std::ostream&, std::ostream&) {
         return lsp::run_stdio_session({p.value("--route").value_or(lsp_default_route),
                                        p.value("--train").value_or(lsp_default_train)});
       }},
      {"completion",
       help_completion(),
       {},
       plain_arguments::one,
       "SHELL",
       "a shell (bash)",
       [](const parsed_command& p, std::ostream& out, std::ostream&) {
         if (p.arguments[0] != "bash") {
           throw p.error("unknown shell '" + p.arguments[0] +
                         "' for 'completion': bash is the one known");
         }
         out << bash_completion(commands());
         return 0;
       }},
  };
  return list;
}

}  // namespace

int run_route_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (args.empty()) {
      err << "route_tool: error: no command given (see 'route_tool --help')\n";
      return exit_usage;
    }
    const std::string& command = args[0];
    if (command == "help" && args.size() > 1) {
      // "route_tool help check" is "route_tool check --help".
      const command_rule* rule = find_command(commands(), args[1]);
      if (rule == nullptr) {
        throw usage_error("unknown command '" + args[1] + "' (see 'route_tool --help')");
      }
      if (args.size() > 2) {
        throw usage_error("unexpected argument '" + args[2] +
                          "' for 'help' (see 'route_tool --help')");
      }
      out << rule->help;
      return 0;
    }
    if (command == "-h" || command == "--help" || command == "help") {
      out << help_route_tool();
      return 0;
    }
    if (command == "--version") {
      out << "route_tool " << VO_VERSION << '\n';
      return 0;
    }
    const command_rule* rule = find_command(commands(), command);
    if (rule == nullptr) {
      throw usage_error("unknown command '" + command + "' (see 'route_tool --help')");
    }
    const parsed_command p = parse_command(commands(), *rule, {args.begin() + 1, args.end()});
    if (p.help) {
      out << rule->help;
      return 0;
    }
    check_arguments(*rule, p);
    return rule->run(p, out, err);
  } catch (const usage_error& e) {
    out.flush();
    err << "route_tool: error: " << e.what() << '\n';
  } catch (const errore_decodifica& e) {
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
