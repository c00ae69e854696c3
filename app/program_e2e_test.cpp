// The real program, copied into a fresh folder and run there without a
// display, so it reports on stderr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/nomi_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const std::string notes = "Viterbo_Attigliano_Orte_7547_note.txt";
const std::string line_description = "Viterbo_Attigliano_Orte_linea.txt";
const std::string service = "Viterbo_Attigliano_Orte_7547-.txt";

class program_test : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vo_e2e_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
    root_ = pattern;
    folder_ = root_ / "program";
    elsewhere_ = root_ / "elsewhere";
    fs::create_directory(folder_);
    fs::create_directory(elsewhere_);
    program_ = folder_ / fs::path(VO_PROGRAM).filename();
    fs::copy_file(VO_PROGRAM, program_);
  }

  void TearDown() override {
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
  }

  // Runs the copy with DISPLAY removed from its environment and `extra`
  // added, from another current folder; returns the exit status and keeps
  // stderr in err_.
  int run(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string path = program_.string();
    char* argv[] = {path.data(), nullptr};

    const fs::path err_file = root_ / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    const fs::path here = fs::current_path();
    fs::current_path(elsewhere_);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    fs::current_path(here);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      ADD_FAILURE() << "posix_spawn: " << std::strerror(rc);
      return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::ifstream in(err_file, std::ios::binary);
    err_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!WIFEXITED(status)) {
      ADD_FAILURE() << "the program did not exit normally";
      return -1;
    }
    return WEXITSTATUS(status);
  }

  std::set<std::string> names_in(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path root_, folder_, elsewhere_, program_;
  std::string err_;
};

TEST_F(program_test, WithoutDisplayTheWaitingWordGoesToStderr) {
  run();
  EXPECT_EQ(err_.substr(0, 10), "Attendere\n") << err_;
  EXPECT_TRUE(fs::is_empty(elsewhere_)) << "files go to the program's folder only";
}

TEST_F(program_test, WithoutDisplayNoWindowLibraryIsLoaded) {
  // The dynamic loader lists on stderr every library it maps, at start-up
  // and later (dlopen) alike.
  ASSERT_EQ(run({"LD_DEBUG=files"}), 0) << err_;
  ASSERT_NE(err_.find("libc.so.6"), std::string::npos) << "no loader trace: " << err_;
  for (const char* library :
       {"libX11", "libxcb", "libXft", "libXrender", "libfontconfig", "libfreetype"}) {
    EXPECT_EQ(err_.find(library), std::string::npos) << library << " loaded";
  }
}

TEST_F(program_test, DisplayThatCannotBeOpenedFallsBackToTheConsole) {
  // Nothing listens on display 4093: the run goes on without a window.
  EXPECT_EQ(run({"DISPLAY=:4093"}), 0) << err_;
  EXPECT_EQ(err_.substr(0, 10), "Attendere\n") << err_;
  EXPECT_TRUE(fs::is_regular_file(folder_ / notes));
}

TEST_F(program_test, UnwritableNotesFileEndsTheRunThereWithStatusTwo) {
  // A folder standing where the notes file goes: it cannot be replaced.
  fs::create_directory(folder_ / notes);

  EXPECT_EQ(run(), 2);

  const std::string full_name = (folder_ / notes).string();
  const std::size_t at = err_.find(full_name + ": ");
  ASSERT_NE(at, std::string::npos) << err_;
  const std::string reason = err_.substr(at + full_name.size() + 2);
  EXPECT_NE(reason.find_first_not_of(" \n"), std::string::npos) << "no reason given: " << err_;

  // The two description files were written and never read back (the
  // compile step did not run); nothing after the notes was written.
  EXPECT_TRUE(fs::is_regular_file(folder_ / line_description));
  EXPECT_TRUE(fs::is_regular_file(folder_ / service));
  EXPECT_TRUE(fs::is_directory(folder_ / notes));
  EXPECT_TRUE(fs::is_empty(folder_ / notes));
  EXPECT_EQ(names_in(folder_), (std::set<std::string>{program_.filename().string(),
                                                      line_description, service, notes}));
  EXPECT_TRUE(fs::is_empty(elsewhere_));
}

TEST_F(program_test, TemporariesLeftByAKilledRunAreRemovedAndNothingElse) {
  // What killed runs may have left: the temporary of every scenario file.
  // Beside them, files that are not the program's own and must stay.
  const auto scenario = scenario::nomi_file_scenario("Viterbo_Attigliano_Orte", "7547");
  for (const std::string& name : scenario) {
    std::ofstream(scenario::temporary_path(folder_ / name), std::ios::binary) << "half";
  }
  const std::set<std::string> others = {"Viterbo_Attigliano_Orte_7547_note.txt.tmp",
                                        "Viterbo_Attigliano_Orte_7547.sim~",
                                        "Viterbo_Attigliano_Orte_7548.sim.tmp~", "altro.tmp~"};
  for (const std::string& name : others) std::ofstream(folder_ / name) << "not the program's";
  // The run stops at the notes file, so it never writes (and so never
  // renames away) the temporaries of the files after it.
  fs::create_directory(folder_ / notes);

  EXPECT_EQ(run(), 2) << err_;

  std::set<std::string> expected = others;
  expected.insert({program_.filename().string(), line_description, service, notes});
  EXPECT_EQ(names_in(folder_), expected);
  for (const std::string& name : others) {
    std::ifstream in(folder_ / name);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not the program's") << name;
  }
}

}  // namespace
