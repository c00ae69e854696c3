#include "tools/route_tool/route_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "base/file_system.h"
#include "tools/testing/compiled_route_builder.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::expect_usage_error;
using testing::run;
using testing::run_result;

TEST(RouteTool, HelpForTheToolAndEachCommand) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"compile", "--help"}, {"dump", "-h"}, {"plot", "--help"}}) {
    const run_result r = run(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: route_tool", 0), 0u) << r.out;
    EXPECT_TRUE(r.err.empty());
  }
  // "help COMMAND" is the command's own help, as "COMMAND --help".
  EXPECT_EQ(run({"help", "check"}).out, run({"check", "--help"}).out);
  EXPECT_EQ(run({"help", "new"}).out.rfind("Usage: route_tool new", 0), 0u);
  EXPECT_EQ(run({"help"}).out, run({"--help"}).out);
  expect_usage_error(run({"help", "frobnicate"}), "unknown command 'frobnicate'");
  expect_usage_error(run({"help", "check", "x"}), "unexpected argument 'x' for 'help'");
}

TEST(RouteTool, Version) {
  const run_result r = run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("route_tool 1.", 0), 0u) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST(RouteTool, UsageErrors) {
  expect_usage_error(run({}), "no command given");
  expect_usage_error(run({"frobnicate"}), "unknown command 'frobnicate'");
  expect_usage_error(run({"compile", "--lines", "x"}), "unknown option '--lines' for 'compile'");
  expect_usage_error(run({"dump", "d", "--json", "--hex"}), "exclude each other");
  expect_usage_error(run({"dump"}), "needs a folder DIR");
  expect_usage_error(run({"plot", "d"}), "needs --output");
  expect_usage_error(run({"compile", "--line", "a", "--service", "b"}), "needs --out");
}

TEST(RouteTool, CompileWithMissingInputOrAFileAsOutputFolder) {
  testing::temp_folder dir;
  testing::write_text(dir.path() / "line.txt", "[generale]\r\n");
  testing::write_text(dir.path() / "svc.txt", "[generale]\r\n");
  testing::write_text(dir.path() / "taken", "x");
  expect_usage_error(run({"compile", "--line", dir / "nope.txt", "--service", dir / "svc.txt",
                          "--out", dir / "out"}),
                     "line description file '" + (dir / "nope.txt") + "' not found");
  expect_usage_error(run({"compile", "--line", dir / "line.txt", "--service", dir / "nope.txt",
                          "--out", dir / "out"}),
                     "service file");
  expect_usage_error(run({"compile", "--line", dir / "line.txt", "--service", dir / "svc.txt",
                          "--out", dir / "taken", "--route", "R", "--train", "1"}),
                     "output folder '" + (dir / "taken") + "' is a file");
  expect_usage_error(run({"compile", "--line", dir.path().string(), "--service", dir / "svc.txt",
                          "--out", dir / "out"}),
                     "is a folder, not a file");
}

TEST(RouteTool, JsonOfAFileNameNotInUtf8) {
  // Its bytes become U+FFFD: the diagnostics still come out, as JSON.
  testing::temp_folder dir;
  const std::string line = dir / "l\xe0.txt";
  testing::write_text(line, "[generale]\r\n");
  testing::write_text(dir.path() / "s.txt", "[generale]\r\n");
  const run_result r = run(
      {"check", "--line", line, "--service", dir / "s.txt", "--json", "--route=R", "--train=1"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  EXPECT_NE(r.out.find("l\xef\xbf\xbd.txt\",\"id\":"), std::string::npos) << r.out;
  const run_result c = run({"compile", "--line", line, "--service", dir / "s.txt", "--out",
                            dir / "o", "--json", "--route=R", "--train=1"});
  EXPECT_EQ(c.status, 1) << c.err;
  EXPECT_NE(c.out.find("l\xef\xbf\xbd.txt\",\"line\":"), std::string::npos) << c.out;
}

TEST(RouteTool, DumpOfAMissingOrCorruptFolder) {
  testing::temp_folder dir;
  expect_usage_error(run({"dump", dir / "none"}), "folder '" + (dir / "none") + "' not found");
  expect_usage_error(run({"dump", dir / "none", "--route", "R", "--train", "1"}),
                     "folder '" + (dir / "none") + "' not found");
  testing::write_text(dir.path() / "a_file", "x");
  expect_usage_error(run({"plot", dir / "a_file", "-o", dir / "p.svg"}),
                     "'" + (dir / "a_file") + "' is a file, not a folder");
  expect_usage_error(run({"dump", dir.path().string()}), "no compiled route in '");
  // Names given: the missing file is named.
  expect_usage_error(run({"dump", dir.path().string(), "--route", "R", "--train", "1"}),
                     "R_1.sim: file not found");
  disk_file_system disk;
  modello_percorso m = testing::sample_model();
  testing::write_route_files(disk, {dir.path(), '/'}, m);
  // One set in the folder: found without the names.
  EXPECT_EQ(run({"dump", dir.path().string()}).status, 0);
  // Two sets: the names are needed.
  m.numero_treno = "13";
  testing::write_route_files(disk, {dir.path(), '/'}, m);
  expect_usage_error(run({"dump", dir.path().string()}),
                     "holds several compiled routes (Prova train 12, Prova train 13): choose one "
                     "with --route and --train");
  EXPECT_EQ(run({"dump", dir.path().string(), "--train", "13"}).status, 0);
  std::string cells = testing::encode_cells(m);
  cells.resize(cells.size() - 4);
  testing::write_text(dir.path() / "Prova_12.dat", cells);
  expect_usage_error(run({"dump", dir.path().string(), "--route", "Prova", "--train", "12"}),
                     "Prova_12.dat: byte 3000: the file ends inside cell 200");
}

TEST(RouteTool, PlotWritesTheSvg) {
  testing::temp_folder dir;
  disk_file_system disk;
  testing::write_route_files(disk, {dir.path(), '/'}, testing::sample_model());
  const run_result r =
      run({"plot", dir.path().string(), "--route=Prova", "--train=12", "-o", dir / "p.svg"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(testing::read_bytes(dir.path() / "p.svg").rfind("<?xml", 0), 0u);
  expect_usage_error(
      run({"plot", dir.path().string(), "--route=Prova", "--train=12", "-o", dir.path().string()}),
      "is a folder");
}

}  // namespace
}  // namespace scenario
