// route_tool compile on the fixed scenario's own text files, and on copies
// edited to set an error code, against the compile step run directly.
#include <gtest/gtest.h>

#include <sstream>

#include "base/cp1252.h"
#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/testi_fissi.h"
#include "sources/writers.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/compile_command.h"
#include "tools/route_tool/dump_command.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/temp_folder.h"
#include "tools/testing/text_search.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

using testing::route;
using testing::train;
// The files under the names the program gives them: compile takes the route
// and the train from these names.
const std::string line_txt = nome_file_linea_txt(route);
const std::string service_txt = nome_file_servizio_txt(route, train);

using scenario_texts = fixed_scenario_texts;

// The text with its line `n` (from 1) replaced; lines end with CR LF.
using testing::replace_line;

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The three binary files the program writes, from the compile step run directly.
std::map<std::string, std::string> program_output(const scenario_texts& t) {
  memory_file_system mem;
  const program_folder f{"/p", '/'};
  mem.write_file(file_path(f, nome_file_linea_txt(route)), t.line);
  mem.write_file(file_path(f, nome_file_servizio_txt(route, train)), t.service);
  modello_percorso m;
  m.nome_linea = route;
  m.numero_treno = train;
  memorizza_percorso(m, mem, f, 1);
  std::map<std::string, std::string> out;
  for (const auto& [name, bytes] : mem.files) {
    if (name.ends_with(".dat") || name.ends_with(".sim")) out[name.substr(3)] = bytes;
  }
  return out;
}

struct tool_run {
  int status;
  std::string out, err;
  fs::path dir;
};

tool_run compile_texts(const testing::temp_folder& tmp, const scenario_texts& t, bool json,
                       bool werror = false, bool verbose = false) {
  testing::write_text(tmp.path() / line_txt, t.line);
  testing::write_text(tmp.path() / service_txt, t.service);
  compile_options o;
  o.line_file = tmp / line_txt;
  o.service_file = tmp / service_txt;
  o.out_dir = tmp / "out";
  o.json = json;
  o.werror = werror;
  o.verbose = verbose;
  std::ostringstream out, err;
  const int status = run_compile(o, out, err);
  return {status, out.str(), err.str(), tmp.path() / "out"};
}

std::size_t files_in(const fs::path& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

TEST(CompileScenario, SameThreeFilesAsTheProgramAndInputsLeftInPlace) {
  testing::temp_folder tmp;
  const scenario_texts t = fixed_texts();
  const tool_run r = compile_texts(tmp, t, true);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_NE(r.out.find("\"codice_errore\":0,\"posizione_errore\":0"), std::string::npos);
  EXPECT_NE(r.out.find("\"fatal\":null"), std::string::npos);
  EXPECT_NE(r.out.find("\"summary\":{\"line_length_m\":60000,\"cells\":1341,\"stations\":9,"
                       "\"signals\":16,\"slowdowns\":1,\"speed_boards\":14,"
                       "\"indication_boards\":39}"),
            std::string::npos)
      << r.out;

  const auto expected = program_output(t);
  ASSERT_EQ(expected.size(), 3u);
  for (const auto& [name, bytes] : expected) {
    EXPECT_EQ(testing::read_bytes(r.dir / name), bytes) << name;
  }
  EXPECT_EQ(files_in(r.dir), 3u);
  EXPECT_EQ(testing::read_bytes(tmp.path() / line_txt), t.line);
  EXPECT_EQ(testing::read_bytes(tmp.path() / service_txt), t.service);
}

TEST(CompileScenario, DumpRoundTripsStationsTimesAndBoards) {
  testing::temp_folder tmp;
  const scenario_texts t = fixed_texts();
  ASSERT_EQ(compile_texts(tmp, t, false).status, 0);
  disk_file_system disk;
  const compiled_route r = load_compiled_route(disk, {tmp.path() / "out", '/'}, route, train);
  std::ostringstream dump;
  write_dump_text(r, dump);

  // Every "stazione" record: its name and its time, as written.
  int slot = 1;
  for (const std::string& line : split_lines(t.service)) {
    if (line.rfind("stazione", 0) != 0) continue;
    // "stazione", then 17 values: hours, minutes and seconds are values 14-16, the name 17.
    std::vector<std::string> f;
    std::size_t start = 0;
    for (auto comma = line.find(','); comma != std::string::npos; comma = line.find(',', start)) {
      f.push_back(line.substr(start, comma - start));
      start = comma + 1;
    }
    f.push_back(line.substr(start));
    ASSERT_EQ(f.size(), 18u) << line;
    const std::string name = f[17].substr(f[17].find_first_not_of(' '));
    const int h = std::stoi(f[14]), m = std::stoi(f[15]), sec = std::stoi(f[16]);
    const elemento& e = r.elementi[static_cast<std::size_t>(slot)];
    EXPECT_EQ(e.nome, name);
    EXPECT_EQ(e.orario, (h * 60 + m) * 60 + sec) << name;
    char hms[16];
    std::snprintf(hms, sizeof hms, "%02d:%02d:%02d", h, m, sec);
    if (e.orario != 0) {
      EXPECT_NE(dump.str().find(cp1252_to_utf8(name) + " "), std::string::npos) << name;
      EXPECT_NE(dump.str().find(hms), std::string::npos) << hms;
    }
    ++slot;
  }
  EXPECT_EQ(slot, 10);

  // Every "cartello_indicatore" text, from slot 80 downward.
  int board = 80;
  for (const std::string& line : split_lines(t.line)) {
    if (line.rfind("cartello_indicatore", 0) != 0) continue;
    const std::string rest = line.substr(line.find(',', line.find(',') + 1) + 1);
    const std::string text = rest.substr(rest.find_first_not_of(' '));
    EXPECT_EQ(r.elementi[static_cast<std::size_t>(board)].nome, text);
    EXPECT_NE(dump.str().find("\"" + text + "\""), std::string::npos) << text;
    --board;
  }
  EXPECT_EQ(board, 41);
}

TEST(CompileScenario, SlowdownOnATakenStartCellIsCode18OnItsLine) {
  testing::temp_folder tmp;
  scenario_texts t = fixed_texts();
  // A signal in the slowdown's start cell, read just before the slowdown.
  t.service = replace_line(t.service, 28, "segnale,   22700,   2, 4, 1,  0, 0,    0,  0,0,0, 0");
  const tool_run r = compile_texts(tmp, t, true);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\"codice_errore\":18,\"posizione_errore\":22700"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"file\":\"" + (tmp / service_txt) + "\",\"line\":29"), std::string::npos)
      << r.out;
  // The taken cell is named with what holds it and where that was written.
  EXPECT_NE(r.out.find("this slowdown starts in cell 455 (22750 m), which already holds the "
                       "signal at " +
                       (tmp / service_txt) + ":28:1. Move the slowdown's start to a free cell."),
            std::string::npos)
      << r.out;
  EXPECT_EQ(files_in(r.dir), 3u);  // written all the same
  EXPECT_EQ(testing::read_bytes(r.dir / nome_file_celle_dat(route, train)),
            program_output(t).at(nome_file_celle_dat(route, train)));
}

TEST(CompileScenario, StationOffTheGridIsCode8WithItsPositionInText) {
  testing::temp_folder tmp;
  scenario_texts t = fixed_texts();
  t.service =
      replace_line(t.service, 19,
                   "stazione,   12475, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, "
                   "Montefiascone");
  const tool_run r = compile_texts(tmp, t, false);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err.rfind((tmp / service_txt) +
                      ":19: error: code 8 at 12475 m (km 26+575): the station's axis at 12475 m "
                      "is not a multiple of 50. Move it to 12450 or 12500. The binary files were "
                      "written all the same.\n",
                  0),
      0u)
      << r.err;
  EXPECT_NE(r.out.find("result: code 8"), std::string::npos);
  EXPECT_EQ(files_in(r.dir), 3u);
}

TEST(CompileScenario, BoardAtZeroStopsWith1250AndWritesNothing) {
  testing::temp_folder tmp;
  scenario_texts t = fixed_texts();
  t.line = replace_line(t.line, 124, "cartello_indicatore,  0,   (Cippo Km.)( 37+000  )");
  const tool_run r = compile_texts(tmp, t, true);
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.out.find("\"fatal\":\"1250\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"codice_errore\":0"), std::string::npos);
  EXPECT_NE(r.out.find("holds the indication board at " + (tmp / line_txt) +
                       ":124:1 with a first value, but that value is reserved"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"written\":[]"), std::string::npos);
  EXPECT_EQ(files_in(r.dir), 0u);
}

TEST(CompileScenario, SpeedBoardAtZeroWithOnlyASecondValueStopsWith1251) {
  testing::temp_folder tmp;
  scenario_texts t = fixed_texts();
  t.line = replace_line(t.line, 109, "indicatori_vmax,  0,  0,  70,  80,  0,  ,  ,  ,  0");
  const tool_run r = compile_texts(tmp, t, false);
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err,
            "route_tool: error: cell 1, where objects less than 25 m from the origin go, "
            "holds the speed board at " +
                (tmp / line_txt) +
                ":109:1 with a second value, but that value is reserved: no binary file "
                "is written (Errore n. 1251). Move the object to 50 m or further.\n");
  EXPECT_EQ(files_in(r.dir), 0u);
}

// Four speeds off the 5 km/h steps: warnings of check, the compile step
// records nothing (the S. Nicola time mended: these four are all).
scenario_texts with_four_warnings() {
  scenario_texts t = fixed_texts_on_time();
  t.service = replace_line(t.service, 9, "velocita,       0,    72");
  t.service = replace_line(t.service, 10, "velocita,    2050,   101");
  t.service = replace_line(t.service, 11, "velocita,    8000,    77");
  t.service = replace_line(t.service, 12, "velocita,   12650,    86");
  return t;
}

using testing::count;

TEST(CompileScenario, CheckWarningsFollowTheResultTheFirstThreeOrAll) {
  testing::temp_folder tmp;
  const scenario_texts t = with_four_warnings();
  const tool_run r = compile_texts(tmp, t, false);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(files_in(r.dir), 3u);
  const std::string result = "  result: no faults (code 0), 4 warnings from check (below)\n";
  EXPECT_EQ(r.out.substr(r.out.size() - result.size()), result) << r.out;
  const std::string s = tmp / service_txt;
  EXPECT_EQ(r.err,
            "route_tool: check finds 4 warnings, the first 3 below (all with --verbose):\n" + s +
                ":9:23: warning: the speed limit 72 km/h is not a multiple of 5: a cell keeps 70 "
                "km/h. Write 70 [speed-not-multiple-of-5]\n"
                "velocita,       0,    72\n"
                "                      ^~\n" +
                s +
                ":10:22: warning: the speed limit 101 km/h is not a multiple of 5: a cell keeps "
                "100 km/h. Write 100 [speed-not-multiple-of-5]\n"
                "velocita,    2050,   101\n"
                "                     ^~~\n" +
                s +
                ":11:23: warning: the speed limit 77 km/h is not a multiple of 5: a cell keeps "
                "75 km/h. Write 75 [speed-not-multiple-of-5]\n"
                "velocita,    8000,    77\n"
                "                      ^~\n");
  const tool_run all = compile_texts(tmp, t, false, false, true);
  EXPECT_EQ(all.err.rfind("route_tool: check finds 4 warnings:\n", 0), 0u) << all.err;
  EXPECT_EQ(count(all.err, ": warning: "), 4u);
  EXPECT_NE(all.err.find(s + ":12:23: warning: the speed limit 86 km/h"), std::string::npos);
  // JSON: every diagnostic of check.
  const tool_run j = compile_texts(tmp, t, true);
  EXPECT_EQ(j.status, 0);
  EXPECT_TRUE(j.err.empty());
  EXPECT_EQ(count(j.out, "\"id\":\"speed-not-multiple-of-5\""), 4u);
  EXPECT_NE(j.out.find("],\"errors\":0,\"warnings\":4}}"), std::string::npos) << j.out;
}

TEST(CompileScenario, WerrorWritesNothingOnAWarningOrAnError) {
  testing::temp_folder tmp;
  tool_run r = compile_texts(tmp, with_four_warnings(), false, true);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(files_in(r.dir), 0u);
  EXPECT_EQ(r.err.rfind("route_tool: error: compiled without faults, but check finds 4 warnings: "
                        "with --werror no binary file was written.\nroute_tool: check finds 4 "
                        "warnings, the first 3 below (all with --verbose):\n",
                        0),
            0u)
      << r.err;
  EXPECT_NE(r.out.find("  no binary file written\n  result: code 0, but nothing written: check "
                       "finds 4 warnings (--werror)\n"),
            std::string::npos)
      << r.out;
  r = compile_texts(tmp, with_four_warnings(), true, true);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\"exit_status\":1,"), std::string::npos);
  EXPECT_NE(r.out.find("\"written\":[],"), std::string::npos);
  EXPECT_EQ(files_in(r.dir), 0u);

  // Two stations off the grid: the compile step keeps one code; check finds
  // both, and --werror writes nothing where the files would be written.
  scenario_texts t = fixed_texts();
  t.service = replace_line(t.service, 19,
                           "stazione,   12475, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, "
                           "0, Montefiascone");
  t.service = replace_line(t.service, 22,
                           "stazione,   33675, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14,22, "
                           "0, Sipicciano");
  r = compile_texts(tmp, t, false, true);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(files_in(r.dir), 0u);
  const std::string first_line = r.err.substr(0, r.err.find('\n') + 1);
  EXPECT_TRUE(first_line.starts_with((tmp / service_txt) + ":19: error: code 8 at 12475 m") &&
              first_line.ends_with(" With --werror no binary file was written.\n"))
      << first_line;
  EXPECT_NE(r.err.find("\nroute_tool: check finds 2 errors ('route_tool check' shows each)\n"),
            std::string::npos)
      << r.err;
  r = compile_texts(tmp, t, false);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(files_in(r.dir), 3u);

  // The fixed scenario's own texts: the S. Nicola time, not after Grotte
  // S. Stefano's, is a warning, and holds the files back.
  testing::temp_folder fixed;
  r = compile_texts(fixed, fixed_texts(), false, true);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(files_in(r.dir), 0u);
  EXPECT_NE(r.err.find("check finds 1 warning: with --werror no binary file was written.\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find(":21:63: warning: the time 14:09:00 of Sipicciano S. Nicola is not after "
                       "14:09:00 of Grotte S. Stefano"),
            std::string::npos)
      << r.err;

  // Clean (that time as the timetable sheet gives it): written as without
  // --werror.
  testing::temp_folder clean;
  r = compile_texts(clean, fixed_texts_on_time(), false, true);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(files_in(r.dir), 3u);
}

}  // namespace
}  // namespace scenario
