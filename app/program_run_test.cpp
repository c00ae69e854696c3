// Runs the real program, copied alone into an empty folder, with no display:
// it must write the complete scenario there and nothing else.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/sha256.h"
#include "compiler/digest_scenario_fisso.h"

extern char** environ;

namespace scenario {
namespace {

namespace fs = std::filesystem;

const std::string nome_programma = "viterbo_orte_7547";

// A fresh empty folder, removed at the end of the test.
class cartella_temporanea {
 public:
  cartella_temporanea() {
    std::random_device rd;
    path_ = fs::temp_directory_path() /
            ("vo_run_" + std::to_string(rd()) + "_" + std::to_string(::getpid()));
    fs::create_directories(path_);
  }
  ~cartella_temporanea() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Runs `exe` with the environment minus DISPLAY (so the console platform is
// used), from the test's own working directory. Returns the exit status, or
// -1 when it did not exit normally.
int esegui_senza_display(const fs::path& exe) {
  std::vector<std::string> ambiente;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) ambiente.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (auto& s : ambiente) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::string percorso = exe.string();
  char* argv[] = {percorso.data(), nullptr};

  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execve(percorso.c_str(), argv, envp.data());
    ::_exit(127);
  }
  if (pid < 0) return -1;
  int stato = 0;
  while (::waitpid(pid, &stato, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::map<std::string, std::string> contenuto(const fs::path& cartella) {
  std::map<std::string, std::string> out;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    const std::string nome = voce.path().filename().string();
    out[nome] = nome == nome_programma ? std::string() : leggi(voce.path());
  }
  return out;
}

TEST(EsecuzioneProgramma, WritesTheCompleteScenarioAlone) {
  cartella_temporanea cartella;
  const fs::path exe = cartella.path() / nome_programma;
  fs::copy_file(VO_PROGRAM_PATH, exe);

  ASSERT_EQ(esegui_senza_display(exe), 0);
  const auto primo = contenuto(cartella.path());

  std::set<std::string> nomi;
  for (const auto& [nome, byte] : primo) nomi.insert(nome);
  const std::string radice = "Viterbo_Attigliano_Orte";
  EXPECT_EQ(nomi, (std::set<std::string>{
                      nome_programma,
                      radice + "_7547_note.txt",
                      radice + "_7547_rallentamenti.txt",
                      radice + "_7547_scheda_treno.txt",
                      radice + "_linea.dat",
                      radice + "_7547.sim",
                      radice + "_7547.dat",
                  }));
  ASSERT_EQ(primo.count(radice + "_7547.dat"), 1u);
  EXPECT_EQ(primo.at(radice + "_7547.dat").size(), 20115u);
  EXPECT_EQ(primo.at(radice + "_linea.dat").size(), 1339964u);
  EXPECT_EQ(sha256_hex(primo.at(radice + "_linea.dat")), scenario_fisso::sha256_linea_dat);
  EXPECT_EQ(sha256_hex(primo.at(radice + "_7547.sim")), scenario_fisso::sha256_sim);
  EXPECT_EQ(sha256_hex(primo.at(radice + "_7547.dat")), scenario_fisso::sha256_celle_dat);

  // A second run in the same folder replaces every file with the same bytes.
  ASSERT_EQ(esegui_senza_display(exe), 0);
  EXPECT_EQ(contenuto(cartella.path()), primo);
}

}  // namespace
}  // namespace scenario
