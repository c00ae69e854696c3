// route_tool view and plot's range on the command line: usage errors, the
// page written from the text files and from a compiled folder.
#include <gtest/gtest.h>

#include "base/file_system.h"
#include "sources/testi_fissi.h"
#include "tools/testing/compiled_route_builder.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::expect_usage_error;
using testing::run;
using testing::run_result;

TEST(RouteToolView, UsageErrors) {
  EXPECT_EQ(run({"view", "--help"}).out.rfind("Usage: route_tool view", 0), 0u);
  expect_usage_error(run({"view"}), "'view' needs a folder DIR, or --line and --service");
  expect_usage_error(run({"view", "--line", "a", "-o", "x.html"}),
                     "needs both --line and --service");
  expect_usage_error(run({"view", "d", "--line", "a", "--service", "b", "-o", "x"}), "not both");
  expect_usage_error(run({"view", "d"}), "needs --output");
  expect_usage_error(run({"view", "--line", "no.txt", "--service", "no.txt", "-o", "x"}),
                     "line description file 'no.txt' not found");
}

TEST(RouteToolView, WritesThePageFromTheTextsAndFromCompiledFiles) {
  testing::temp_folder dir;
  const fixed_scenario_texts t = fixed_texts();
  const std::string line = dir / "Viterbo_Attigliano_Orte_linea.txt";
  const std::string service = dir / "Viterbo_Attigliano_Orte_7547-.txt";
  testing::write_text(line, t.line);
  testing::write_text(service, t.service);
  const run_result r = run({"view", "--line", line, "--service", service, "-o", dir / "route.html",
                            "--from", "20", "--to", "25"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("route_tool: wrote"), std::string::npos);
  disk_file_system disk;
  const std::string page = disk.read_file(dir.path() / "route.html");
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("\"view\":{\"from_m\":20000.0,\"to_m\":25000.0}"), std::string::npos);
  EXPECT_NE(page.find("rallentamento,   22700"), std::string::npos);  // a source line
  EXPECT_NE(page.find("\"has_sources\":true"), std::string::npos);
  expect_usage_error(
      run({"view", "--line", line, "--service", service, "-o", dir / "x.html", "--from", "twenty"}),
      "is not a kilometre figure");
  // --from alone runs to the line's end; a figure off the 60 km line, at
  // either end, is a usage error.
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "from.html", "--from",
                 "59.95"})
                .status,
            0);
  EXPECT_NE(disk.read_file(dir.path() / "from.html")
                .find("\"view\":{\"from_m\":59950.0,\"to_m\":60000.0}"),
            std::string::npos);
  expect_usage_error(run({"view", "--line", line, "--service", service, "-o", dir / "x.html",
                          "--from", "20", "--to", "60.001"}),
                     "--to 60.001 lies outside the line, which runs from km 0 to km 60 from its "
                     "origin");
  expect_usage_error(
      run({"view", "--line", line, "--service", service, "-o", dir / "x.html", "--from", "-0.001"}),
      "--from -0.001 lies outside the line");
  ASSERT_EQ(run({"view", "--line", line, "--service", service, "-o", dir / "ends.html", "--from",
                 "0", "--to", "60"})
                .status,
            0);

  const program_folder folder{dir.path().string(), '/'};
  testing::write_route_files(disk, folder, testing::sample_model());
  const run_result c = run({"view", dir.path().string(), "-o", dir / "compiled.html"});
  ASSERT_EQ(c.status, 0) << c.err;
  const std::string compiled = disk.read_file(dir.path() / "compiled.html");
  EXPECT_NE(compiled.find("\"has_sources\":false"), std::string::npos);
  const run_result p =
      run({"plot", dir.path().string(), "-o", dir / "part.svg", "--from", "1", "--to", "2"});
  ASSERT_EQ(p.status, 0) << p.err;
  EXPECT_NE(disk.read_file(dir.path() / "part.svg").find("shown 1000 m to 2000 m"),
            std::string::npos);
  expect_usage_error(run({"plot", dir.path().string(), "-o", dir / "part.svg", "--to", "100"}),
                     "--to 100 lies outside the line");
}

}  // namespace
}  // namespace scenario
