// `route_tool decompile` from the command line: the fixed scenario comes
// back as the writers' texts; damaged files give a named report and exit
// 1 with the closest texts written; corrupt files fail as for dump.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "sources/testi_fissi.h"
#include "tools/decompile/round_trip.h"
#include "tools/route_tool/route_tool.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"
#include "tools/testing/text_search.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "Viterbo_Attigliano_Orte";
constexpr const char* treno = "7547";
// compile takes the route and the train from these names.
constexpr const char* fixed_line_txt = "Viterbo_Attigliano_Orte_linea.txt";
constexpr const char* fixed_service_txt = "Viterbo_Attigliano_Orte_7547-.txt";

using testing::run;
using testing::run_result;

using testing::has;

using testing::count;

// The fixed scenario's texts in `dir`, compiled into `dir`/compiled.
struct fixed_scenario {
  testing::temp_folder dir;
  std::string line_text, service_text;
  std::string compiled() const { return dir / "compiled"; }
  fs::path cells() const { return dir.path() / "compiled" / (std::string(linea) + "_7547.dat"); }
  fs::path line_data() const {
    return dir.path() / "compiled" / (std::string(linea) + "_linea.dat");
  }

  fixed_scenario() {
    const fixed_scenario_texts w = fixed_texts();
    line_text = w.line;
    service_text = w.service;
    testing::write_text(dir.path() / fixed_line_txt, line_text);
    testing::write_text(dir.path() / fixed_service_txt, service_text);
    const run_result r = run({"compile", "--line", dir / fixed_line_txt, "--service",
                              dir / fixed_service_txt, "--out", compiled()});
    EXPECT_EQ(r.status, 0) << r.err;
  }
};

void patch(const fs::path& file, std::size_t offset, const std::string& bytes) {
  std::string content = testing::read_bytes(file);
  content.replace(offset, bytes.size(), bytes);
  testing::write_text(file, content);
}

TEST(DecompileCommand, FixedScenarioComesBackAsTheWritersTexts) {
  fixed_scenario s;
  const run_result r = run({"decompile", s.compiled(), "--out", s.dir / "texts"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  EXPECT_TRUE(has(r.out, "compiling them gives the same three files, byte for byte")) << r.out;
  EXPECT_EQ(testing::read_bytes(s.dir.path() / "texts" / "Viterbo_Attigliano_Orte_linea.txt"),
            s.line_text);
  EXPECT_EQ(testing::read_bytes(s.dir.path() / "texts" / "Viterbo_Attigliano_Orte_7547-.txt"),
            s.service_text);
}

TEST(DecompileCommand, TextFilesWhereAsked) {
  fixed_scenario s;
  const run_result r = run({"decompile", s.compiled(), "--out", s.dir / "texts", "--line",
                            s.dir / "mine_l.txt", "--service=" + s.dir / "mine_s.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(testing::read_bytes(s.dir.path() / "mine_l.txt"), s.line_text);
  EXPECT_EQ(testing::read_bytes(s.dir.path() / "mine_s.txt"), s.service_text);
  EXPECT_FALSE(fs::exists(s.dir.path() / "texts" / "Viterbo_Attigliano_Orte_linea.txt"));
}

// Without --route and --train, the one route in the folder is decompiled
// and its texts are named after it; with two, the names are asked for.
TEST(DecompileCommand, RouteNamesFoundInTheFolder) {
  fixed_scenario s;
  const std::string other = s.dir / "other";
  ASSERT_EQ(run({"compile", "--line", s.dir / fixed_line_txt, "--service",
                 s.dir / fixed_service_txt, "--out", other, "--route", "Roma", "--train", "12"})
                .status,
            0);
  const run_result r = run({"decompile", other, "--out", s.dir / "texts"});
  EXPECT_EQ(r.status, 0) << r.err;  // exact: the competition codes carry the names
  EXPECT_TRUE(has(r.out, "decompiled route 'Roma', train '12'")) << r.out;
  EXPECT_TRUE(fs::exists(s.dir.path() / "texts" / "Roma_linea.txt"));
  EXPECT_TRUE(fs::exists(s.dir.path() / "texts" / "Roma_12-.txt"));

  ASSERT_EQ(run({"compile", "--line", s.dir / fixed_line_txt, "--service",
                 s.dir / fixed_service_txt, "--out", other})
                .status,
            0);
  testing::write_text(s.dir.path() / "a_file", "x");
  const run_result to_file =
      run({"decompile", other, "--out", s.dir / "a_file", "--route", "Roma"});
  EXPECT_EQ(to_file.status, 2);
  EXPECT_TRUE(has(to_file.err, "is a file, not a folder")) << to_file.err;

  const run_result two = run({"decompile", other, "--out", s.dir / "texts2"});
  EXPECT_EQ(two.status, 2);
  EXPECT_TRUE(has(two.err, "holds several compiled routes")) << two.err;
  EXPECT_EQ(run({"decompile", other, "--out", s.dir / "texts2", "--route", "Roma"}).status, 0);
}

// A point moved by half a metre: the one point is named, the curves still
// come back, and the closest text is the undamaged one.
TEST(DecompileCommand, MovedGeometryPointIsNamed) {
  fixed_scenario s;
  constexpr std::size_t k = 20500;                  // inside a curve of class 3
  const std::size_t at = 2 * 4 + (k - 2) * 10 + 2;  // x of point k, after its tag
  double x = 0;
  const std::string bytes = testing::read_bytes(s.line_data());
  std::memcpy(&x, bytes.data() + at, sizeof x);
  x += 0.5;
  std::string moved(sizeof x, '\0');
  std::memcpy(moved.data(), &x, sizeof x);
  patch(s.line_data(), at, moved);

  const run_result r = run({"decompile", s.compiled(), "--out", s.dir / "texts"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(has(r.err,
                  "Viterbo_Attigliano_Orte_linea.dat: error: point 20500: the point does "
                  "not follow from the two before it by a straight step or by a curve "
                  "step of class 1 to 6: x "))
      << r.err;
  EXPECT_EQ(count(r.err, ": error: point "), 1u) << r.err;
  EXPECT_TRUE(has(r.err, "1 point differ")) << r.err;
  EXPECT_EQ(testing::read_bytes(s.dir.path() / "texts" / "Viterbo_Attigliano_Orte_linea.txt"),
            s.line_text);
}

// Code 7 in cell 57: no record writes it.
TEST(DecompileCommand, CellCodeNoRecordWritesIsNamed) {
  fixed_scenario s;
  patch(s.cells(), 57 * 15, std::string(1, '\x07'));
  const run_result r = run({"decompile", s.compiled(), "--out", s.dir / "texts"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(has(r.err,
                  "Viterbo_Attigliano_Orte_7547.dat: error: cell 57 (2850 m): "
                  "code 7 is written by no record: tipo 7 in the file, 0 from the text"))
      << r.err;
  EXPECT_EQ(count(r.err, ": error: cell "), 1u) << r.err;
  EXPECT_EQ(testing::read_bytes(s.dir.path() / "texts" / "Viterbo_Attigliano_Orte_7547-.txt"),
            s.service_text);
}

// A name given to entry 0, which nothing fills.
TEST(DecompileCommand, EntryNothingFillsIsNamed) {
  fixed_scenario s;
  const fs::path sim = s.dir.path() / "compiled" / (std::string(linea) + "_7547.sim");
  const std::string bytes = testing::read_bytes(sim);
  // Entry 0's name length is at byte 14: one byte, "X".
  testing::write_text(sim, bytes.substr(0, 14) + std::string("\x01\x00X", 3) + bytes.substr(16));
  const run_result r = run({"decompile", s.compiled(), "--out", s.dir / "texts"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(has(r.err,
                  "_7547.sim: error: entry 0 (never filled): entry 0 is never filled: "
                  "nome X in the file,  from the text"))
      << r.err;
  EXPECT_TRUE(has(r.err, "0 cells, 1 entry and 0 points differ")) << r.err;
}

TEST(DecompileCommand, TruncatedFileFailsAsForDump) {
  fixed_scenario s;
  std::string cells = testing::read_bytes(s.cells());
  cells.resize(cells.size() - 7);
  testing::write_text(s.cells(), cells);
  const run_result d = run({"decompile", s.compiled(), "--out", s.dir / "texts"});
  const run_result dump = run({"dump", s.compiled()});
  EXPECT_EQ(d.status, 2);
  EXPECT_EQ(dump.status, 2);
  EXPECT_EQ(d.err, dump.err);
  EXPECT_TRUE(has(d.err, "byte 20100: the file ends inside cell 1340")) << d.err;
  EXPECT_FALSE(fs::exists(s.dir.path() / "texts"));
}

TEST(DecompileCommand, UsageErrors) {
  EXPECT_EQ(run({"decompile"}).status, 2);
  EXPECT_TRUE(has(run({"decompile"}).err, "needs a folder DIR"));
  EXPECT_TRUE(has(run({"decompile", "d"}).err, "needs --out"));
  EXPECT_TRUE(has(run({"decompile", "d", "--out", "o", "--json"}).err, "unknown option '--json'"));
  const run_result missing = run({"decompile", "/nonexistent/folder", "--out", "o"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(has(missing.err, "folder '/nonexistent/folder' not found")) << missing.err;
  const run_result help = run({"decompile", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: route_tool decompile DIR --out OUTDIR", 0), 0u);
}

}  // namespace
}  // namespace scenario
