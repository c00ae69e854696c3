// The whole run on a real folder: the five writers and the compile step.
// A successful run leaves exactly the six scenario files and nothing else;
// a write that stops halfway leaves the older file intact byte for byte and
// no temporary file behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include "base/failing_disk_file_system.h"
#include "base/program_folder.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr const char* linea = "Viterbo_Attigliano_Orte";
constexpr const char* treno = "7547";

class DiskRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("vo_run_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
         "_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The run's work after the window is shown: five writers, then the
  // compile step with j = 1.
  esito_compilazione run(file_system& disk) {
    const program_folder cartella{dir_, '/'};
    dati_linea(disk, cartella, linea);
    dati_treno(disk, cartella, linea, treno);
    dati_note(disk, cartella, linea, treno);
    dati_rallentamenti(disk, cartella, linea, treno);
    dati_scheda(disk, cartella, linea, treno);
    modello_percorso m;
    m.nome_linea = linea;
    m.numero_treno = treno;
    return memorizza_percorso(m, disk, cartella, 1);
  }

  // Every file in the folder with its bytes.
  std::map<std::string, std::string> folder() {
    std::map<std::string, std::string> out;
    disk_file_system disk;
    for (const auto& e : fs::directory_iterator(dir_))
      out[e.path().filename().string()] = disk.read_file(e.path());
    return out;
  }

  fs::path dir_;
};

TEST_F(DiskRunTest, SuccessfulRunLeavesExactlyTheSixFiles) {
  disk_file_system disk;
  ASSERT_EQ(run(disk), esito_compilazione::completato);
  const auto first = folder();
  std::map<std::string, bool> names;
  for (const auto& [name, bytes] : first) names[name] = !bytes.empty();
  const std::map<std::string, bool> expected = {
      {nome_file_note(linea, treno), true},   {nome_file_rallentamenti(linea, treno), true},
      {nome_file_scheda(linea, treno), true}, {nome_file_linea_dat(linea), true},
      {nome_file_sim(linea, treno), true},    {nome_file_celle_dat(linea, treno), true}};
  EXPECT_EQ(names, expected);

  // A second run over the first one's files gives the same bytes.
  ASSERT_EQ(run(disk), esito_compilazione::completato);
  EXPECT_EQ(folder(), first);
}

// The writes of one run, in order: five text files, then line data,
// simulation file and cell data.
struct failing_write {
  int number;
  std::string (*name)();
};

void PrintTo(const failing_write& w, std::ostream* os) {
  *os << "write " << w.number;
}

class DiskRunFailureTest : public DiskRunTest,
                           public ::testing::WithParamInterface<failing_write> {};

TEST_P(DiskRunFailureTest, WriteStoppingHalfwayKeepsTheOlderFile) {
  disk_file_system disk;
  ASSERT_EQ(run(disk), esito_compilazione::completato);
  const auto before = folder();
  const std::string victim = GetParam().name();

  failing_disk_file_system failing;
  failing.fail_write_after(GetParam().number, 1000);
  try {
    run(failing);
    FAIL() << "the run went on past a failed write";
  } catch (const file_error& e) {
    EXPECT_EQ(e.file().filename().string(), victim);
  }
  const auto after = folder();
  for (const auto& [name, bytes] : after) {
    SCOPED_TRACE(name);
    EXPECT_EQ(name.find(".tmp"), std::string::npos) << "temporary file left behind";
    // Files the run did not reach, or that failed, are the older ones.
    if (before.count(name)) {
      EXPECT_EQ(bytes, before.at(name));
    }
  }
  ASSERT_TRUE(after.count(victim));
  EXPECT_EQ(after.at(victim), before.at(victim));
}

INSTANTIATE_TEST_SUITE_P(
    EachKindOfFile, DiskRunFailureTest,
    ::testing::Values(failing_write{3, [] { return nome_file_note(linea, treno); }},
                      failing_write{6, [] { return nome_file_linea_dat(linea); }},
                      failing_write{7, [] { return nome_file_sim(linea, treno); }},
                      failing_write{8, [] { return nome_file_celle_dat(linea, treno); }}),
    [](const ::testing::TestParamInfo<failing_write>& info) {
      return "write_" + std::to_string(info.param.number);
    });

}  // namespace
}  // namespace scenario
