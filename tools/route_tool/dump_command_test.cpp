#include "tools/route_tool/dump_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/file_system.h"
#include "base/memory_file_system.h"
#include "compiler/format/errore_decodifica.h"
#include "tools/testing/compiled_route_builder.h"
#include "tools/testing/temp_folder.h"
#include "tools/testing/text_search.h"

namespace scenario {
namespace {

compiled_route sample_route() {
  memory_file_system fs;
  const program_folder folder{"/r", '/'};
  testing::write_route_files(fs, folder, testing::sample_model());
  return load_compiled_route(fs, folder, "Prova", "12");
}

using testing::has;

TEST(DumpText, HeaderStationsBoardsCellsAndGeometry) {
  std::ostringstream out;
  write_dump_text(sample_route(), out);
  const std::string t = out.str();
  EXPECT_TRUE(has(t, "84 train and line: braked mass 90 %, line length 3000 m, 3 cars")) << t;
  EXPECT_TRUE(has(t, "route \"Prova\""));
  EXPECT_TRUE(has(t, "marker 610, competition code (st) 4242"));
  EXPECT_TRUE(has(t, "train \"12\", coded zone 1000 m to 2000 m with 4 codes, clock 08:05:30"));
  EXPECT_TRUE(has(t, "cell 1: marker 5121, competition code (og) 1234"));
  EXPECT_TRUE(has(t, "Stations (3)"));
  EXPECT_TRUE(has(t, "Bet\xc3\xa0"));  // Windows-1252 0xE0 printed as UTF-8
  EXPECT_TRUE(has(t, "08:09:30"));
  EXPECT_TRUE(has(t, "Indication boards (1)"));
  EXPECT_TRUE(has(t, "80  \"(P.L.A.)(km. 1+700)\"  in cell 35 (1750 m)"));
  // Signal at 2000 m: cell 41, sx 2 dx 2, codes 4/1/0 left and 2/1/1 right, opening time 130.
  EXPECT_TRUE(has(t, "left kind 2 codes 410, right kind 2 codes 211, rapp 0, opens after 130"))
      << t;
  EXPECT_TRUE(has(t, "left kind 2 codes 310, right kind 0 codes 000, rapp 1"));
  EXPECT_TRUE(has(t, "left A/B/C 65/70/80 km/h, 2 stripes; right 0/0/0 km/h, 0 stripes"));
  EXPECT_TRUE(has(t, "slowdown start     speed 30 km/h, flag 1"));
  EXPECT_TRUE(has(t, "station 2 \"Bet\xc3\xa0\""));
  EXPECT_TRUE(has(t,
                  "cells 40-47 (2000-2400 m): speed 90 km/h, grade 12 per mille, adhesion 100, "
                  "tunnel type 2"));
  EXPECT_TRUE(has(t, "10001 points per column, 9999 with a value"));
  EXPECT_TRUE(has(t, "turning: net -17.189"));  // 0.5 rad right, 0.8 rad left
}

// The stations' rows line up under the header's columns whatever the
// name's bytes (a name in UTF-8 counts its characters), and cell 1, free
// of objects, is listed with its stamps.
TEST(DumpText, RowsLineUpUnderTheirHeaders) {
  std::ostringstream out;
  write_dump_text(sample_route(), out);
  const std::string t = out.str();
  const std::string header =
      "  slot  name                      type     axis    start      end  time      data";
  ASSERT_TRUE(has(t, header)) << t;
  EXPECT_TRUE(has(t,
                  "\n     1  Alfa                        24        0     -200      200  "
                  "08:06:00  0 0 30 0 0; 0 0 0 0 0\n"));
  EXPECT_TRUE(has(t,
                  "\n     2  Bet\xc3\xa0                        24     1500     1350     1650  "
                  "08:09:30  0 0 30 0 0; 0 0 0 0 0\n"));
  EXPECT_TRUE(has(t,
                  "\n      1       50  reserved           marker 5121, competition code (og) "
                  "1234 [5121 1234 0 0 0]\n"));
  EXPECT_TRUE(has(t, "\n      3      150  station end        station 1 \"Alfa\" [1 0 0 0 0]\n"));
}

// The dump command's output for the sample route's files on disk.
std::string dump_of_folder(dump_format format) {
  testing::temp_folder dir;
  disk_file_system disk;
  testing::write_route_files(disk, {dir.path(), '/'}, testing::sample_model());
  std::ostringstream out;
  EXPECT_EQ(run_dump({dir.path().string(), "Prova", "12", format}, out), 0);
  return out.str();
}

// Text is what the command writes without a format option, from the files on disk.
TEST(DumpText, TheCommandWritesTheTextFromTheFolder) {
  const std::string t = dump_of_folder(dump_format::text);
  EXPECT_EQ(t.substr(0, 16), "Simulation file ");
  EXPECT_TRUE(has(t, "Stations (3)\n"));
  EXPECT_TRUE(has(t, "\n      1       50  reserved           marker 5121"));
}

TEST(DumpHex, OneAnnotatedLinePerFieldInFileOrder) {
  const std::string t = dump_of_folder(dump_format::hex);
  EXPECT_TRUE(has(t, "       0: 00 ; entry 0, tipo = 0\n"));
  EXPECT_TRUE(has(t, "      14: 00 00 ; entry 0, length of nome = 0\n"));
  EXPECT_TRUE(has(t, "      16: 01 14 ; cell 1, dato1 = 5121\n"));
  EXPECT_TRUE(has(t, "       2: 00 00 ; x[0], value = 0\n"));
  EXPECT_TRUE(has(t, ": 05 00 ; y[2], tag = 5\n"));
  EXPECT_TRUE(has(t, "; y[2], value = 2\n"));
  const auto sim = t.find("Prova_12.sim\n");
  const auto dat = t.find("Prova_12.dat\n");
  const auto lin = t.find("Prova_linea.dat\n");
  EXPECT_TRUE(sim < dat && dat < lin);
}

TEST(DumpJson, IsOneObjectWithTheStations) {
  std::ostringstream out;
  write_dump_json(sample_route(), out);
  const std::string t = out.str();
  EXPECT_EQ(t.front(), '{');
  EXPECT_EQ(t.substr(t.size() - 2), "}\n");
  EXPECT_TRUE(has(t, "\"name\":\"Bet\xc3\xa0\""));
  EXPECT_TRUE(has(t, "\"time\":\"08:12:00\""));
  EXPECT_TRUE(has(t, "\"competition_code_og\":1234}"));
}

TEST(Dump, CorruptFileStopsWithFileAndOffset) {
  testing::temp_folder dir;
  disk_file_system disk;
  modello_percorso m = testing::sample_model();
  testing::write_route_files(disk, {dir.path(), '/'}, m);
  std::string sim = testing::encode_sim(m);
  sim.push_back('\0');
  testing::write_text(dir.path() / "Prova_12.sim", sim);
  std::ostringstream out;
  try {
    run_dump({dir.path().string(), "Prova", "12", dump_format::text}, out);
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.offset(), sim.size() - 1);
    EXPECT_NE(e.file().find("Prova_12.sim"), std::string::npos);
  }
}

}  // namespace
}  // namespace scenario
