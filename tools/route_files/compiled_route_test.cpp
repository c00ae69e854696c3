#include "tools/route_files/compiled_route.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "compiler/format/errore_decodifica.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

const program_folder folder{"/r", '/'};

TEST(CompiledRoute, ExpectedSizesFollowTheLineLength) {
  EXPECT_EQ(celle_attese(60000), 1341u);
  EXPECT_EQ(celle_attese(25), 141u);  // 140.5 rounds to the even 140
  EXPECT_EQ(celle_attese(75), 143u);  // 141.5 rounds to 142
  EXPECT_EQ(punti_attesi(60000), 67001u);
  EXPECT_EQ(celle_attese(-1), std::nullopt);
  EXPECT_EQ(celle_attese(1000001), std::nullopt);
  // 0 .. 1000000 m, each with the 7000 m past the line; outside, nothing.
  EXPECT_EQ(punti_attesi(0), 7001u);
  EXPECT_EQ(punti_attesi(1000000), 1007001u);
  EXPECT_EQ(punti_attesi(-1), std::nullopt);
  EXPECT_EQ(punti_attesi(1000001), std::nullopt);
}

TEST(CompiledRoute, LoadsTheThreeFiles) {
  memory_file_system fs;
  const modello_percorso m = testing::sample_model();
  testing::write_route_files(fs, folder, m);
  const compiled_route r = load_compiled_route(fs, folder, "Prova", "12");
  EXPECT_EQ(r.sim_file, "/r/Prova_12.sim");
  EXPECT_EQ(r.lunghezza_percorso(), 3000);
  EXPECT_EQ(r.celle.size(), 201u);
  EXPECT_EQ(r.tracciato.x.size(), 10001u);
}

TEST(CompiledRoute, MissingFileIsNamed) {
  memory_file_system fs;
  testing::write_route_files(fs, folder, testing::sample_model());
  fs.remove_file("/r/Prova_linea.dat");
  try {
    load_compiled_route(fs, folder, "Prova", "12");
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.file(), "/r/Prova_linea.dat");
    EXPECT_EQ(e.offset(), std::nullopt);
    EXPECT_EQ(e.motivo(), "file not found");
  }
}

TEST(CompiledRoute, CellFileTruncatedOrOversizedForTheLineLength) {
  memory_file_system fs;
  const modello_percorso m = testing::sample_model();
  testing::write_route_files(fs, folder, m);
  const std::string cells = testing::encode_cells(m);
  fs.files["/r/Prova_12.dat"] = cells.substr(0, cells.size() - 15);
  try {
    load_compiled_route(fs, folder, "Prova", "12");
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.offset(), 200u * 15u);
    EXPECT_NE(e.motivo().find("truncated"), std::string::npos) << e.what();
  }
  fs.files["/r/Prova_12.dat"] = cells + std::string(15, '\0');
  try {
    load_compiled_route(fs, folder, "Prova", "12");
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.offset(), 201u * 15u);
    EXPECT_NE(e.motivo().find("oversized"), std::string::npos) << e.what();
  }
}

TEST(CompiledRoute, LineDataFileWithTheWrongPointCount) {
  memory_file_system fs;
  modello_percorso m = testing::sample_model();
  testing::write_route_files(fs, folder, m);
  fs.files["/r/Prova_linea.dat"] += std::string(4, '\0');  // two more empty elements
  try {
    load_compiled_route(fs, folder, "Prova", "12");
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.file(), "/r/Prova_linea.dat");
    EXPECT_EQ(e.offset(), testing::encode_line(m).size());
  }
}

}  // namespace
}  // namespace scenario

namespace scenario {
namespace {

// Every cut of every file is refused with a errore_decodifica at or before the
// cut, never read past.
TEST(CompiledRoute, EveryTruncationIsAnErrorAtOrBeforeTheCut) {
  const modello_percorso m = testing::sample_model();
  const std::string sim = testing::encode_sim(m);
  const std::string cells = testing::encode_cells(m);
  // 2 Integers and 198 Doubles: 100 points per column.
  const std::string line = testing::encode_line(m).substr(0, 2 * 4 + 198 * 10);
  const auto check = [](const std::string& bytes, auto decode) {
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      try {
        decode(bytes.substr(0, cut));
        ADD_FAILURE() << "accepted a cut at " << cut;
      } catch (const errore_decodifica& e) {
        ASSERT_TRUE(e.offset());
        EXPECT_LE(*e.offset(), cut);
      }
    }
  };
  check(sim, [](const std::string& b) { decodifica_sim(b, "r.sim"); });
  check(cells, [](const std::string& b) {
    if (decodifica_celle_dat(b, "r.dat").size() != 201)
      throw errore_decodifica("r.dat", b.size(), "short");
  });
  check(line, [](const std::string& b) { decodifica_linea_dat(b, "r_linea.dat", 100); });
}

}  // namespace
}  // namespace scenario
