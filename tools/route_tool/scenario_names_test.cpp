// The route name and the train number from the files' names, the same for
// every command that takes the two texts; asked for when the names do not
// give them, never a fixed scenario's.
#include "tools/route_tool/scenario_names.h"

#include <gtest/gtest.h>

#include "sources/testi_fissi.h"
#include "tools/route_tool/command_line.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::expect_usage_error;
using testing::run;
using testing::run_result;

scenario_names names(const std::optional<std::string>& route,
                     const std::optional<std::string>& train, const std::string& line,
                     const std::string& service) {
  return names_of_texts("check", route, train, line, service);
}

TEST(ScenarioNames, GivenElseTheLineFilesElseTheServiceFiles) {
  const auto expect = [](const scenario_names& n, const std::string& route,
                         const std::string& train) {
    EXPECT_EQ(n.route, route);
    EXPECT_EQ(n.train, train);
  };
  expect(names({}, {}, "d/Val_linea.txt", "d/Val_42-.txt"), "Val", "42");
  // The line file's name before the service file's.
  expect(names({}, {}, "Monte_linea.txt", "Val_42-.txt"), "Monte", "42");
  expect(names({}, {}, "line.txt", "d/Val_Chiara_42-.txt"), "Val_Chiara", "42");
  expect(names({}, "7", "Val_linea.txt", "service.txt"), "Val", "7");
  expect(names("R", "1", "Val_linea.txt", "Val_42-.txt"), "R", "1");
  expect(names("", "", "a", "b"), "", "");  // the empty names are names too

  // The service file's name is NAME_NUMBER-.txt as the naming rule builds it.
  for (const char* not_service :
       {"Val-.txt", "_42-.txt", "Val_-.txt", "Val_42.txt", "Val_42-.TXT"}) {
    try {
      names({}, {}, "Val_linea.txt", not_service);
      ADD_FAILURE() << not_service;
    } catch (const usage_error& e) {
      EXPECT_EQ(std::string(e.what()), "'check' cannot tell the train number from the name '" +
                                           std::string(not_service) +
                                           "' (not NAME_NUMBER-.txt): give --train NUMBER");
    }
  }
  try {
    names({}, {}, "d/line.txt", "d/service.txt");
    ADD_FAILURE();
  } catch (const usage_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "'check' cannot tell the route name from the file names 'd/line.txt' and "
              "'d/service.txt' (not NAME_linea.txt or NAME_NUMBER-.txt): give --route NAME and "
              "--train NUMBER");
  }
  EXPECT_THROW(names({}, "1", "_linea.txt", "x.txt"), usage_error);
  EXPECT_NO_THROW(names("R", "1", "x", "y"));
}

// The fixed scenario's two texts under the names given.
struct texts_named {
  testing::temp_folder dir;
  std::string line, service;
  texts_named(const std::string& line_name, const std::string& service_name)
      : line(dir / line_name), service(dir / service_name) {
    const fixed_scenario_texts t = fixed_texts();
    testing::write_text(line, t.line);
    testing::write_text(service, t.service);
  }
};

// Each command that takes the two texts, with its own options after them.
run_result run_on(const std::string& command, const texts_named& f,
                  std::vector<std::string> more = {}) {
  std::vector<std::string> args = {command, "--line", f.line, "--service", f.service};
  if (command == "compile" || command == "sheets")
    args.insert(args.end(), {"--out", f.dir / "out"});
  if (command == "view") args.insert(args.end(), {"-o", f.dir / "page.html"});
  args.insert(args.end(), more.begin(), more.end());
  return run(args);
}

const char* const commands_on_texts[] = {"check", "compile", "view", "timing", "sheets"};

TEST(ScenarioNames, EveryCommandTakesThemFromTheFileNames) {
  const texts_named f("Val_linea.txt", "Val_42-.txt");
  const run_result check = run_on("check", f);
  EXPECT_EQ(check.status, 0) << check.err;
  const run_result compile = run_on("compile", f);
  EXPECT_EQ(compile.status, 0) << compile.err;
  EXPECT_EQ(compile.out.rfind("route_tool: compiled route 'Val', train '42'", 0), 0u);
  for (const char* file : {"Val_linea.dat", "Val_42.sim", "Val_42.dat"}) {
    EXPECT_TRUE(std::filesystem::exists(f.dir.path() / "out" / file)) << file;
  }
  EXPECT_EQ(run_on("view", f).status, 0);
  EXPECT_NE(testing::read_bytes(f.dir.path() / "page.html").find("<title>Val \u2014 train 42"),
            std::string::npos);
  const run_result timing = run_on("timing", f);
  EXPECT_EQ(timing.out.rfind("Running times: route Val, train 42\n", 0), 0u) << timing.out;
  EXPECT_EQ(run_on("sheets", f).status, 0);
  EXPECT_TRUE(std::filesystem::exists(f.dir.path() / "out" / "Val_42_scheda_treno.txt"));
}

TEST(ScenarioNames, EveryCommandAsksForThemWhenTheNamesDoNotGiveThem) {
  const texts_named f("line.txt", "service.txt");
  for (const char* command : commands_on_texts) {
    SCOPED_TRACE(command);
    expect_usage_error(run_on(command, f), "'" + std::string(command) +
                                               "' cannot tell the route name from the file names");
    expect_usage_error(run_on(command, f, {"--route", "R"}),
                       "cannot tell the train number from the name '" + f.service + "'");
  }
  // Nothing was written on the way.
  EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "out" / "R_linea.dat"));
  EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "page.html"));

  // Given, they are used.
  EXPECT_EQ(run_on("check", f, {"--route", "R", "--train", "1"}).status, 0);
  EXPECT_EQ(run_on("compile", f, {"--route", "R", "--train", "1"}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(f.dir.path() / "out" / "R_1.sim"));
  EXPECT_EQ(run_on("timing", f, {"--route", "R", "--train", "1"})
                .out.rfind("Running times: route R, train 1\n", 0),
            0u);
}

}  // namespace
}  // namespace scenario
