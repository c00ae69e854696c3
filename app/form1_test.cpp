// The run driver through a test double of the platform and a folder in
// memory: the order of the work, the fatal report and the end of the run.
#include "app/form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

// Thrown by the double instead of ending the process. Not a std::exception,
// so nothing in the code under test can catch it by accident.
struct program_end {
  int status;
};

class fake_platform : public platform {
 public:
  fake_platform(const memory_file_system& fs, std::filesystem::path folder, char separator)
      : fs_(fs), folder_(std::move(folder)), separator_(separator) {}

  void show_waiting_window() override {
    calls.push_back("show");
    writes_before_show = fs_.log.size();
  }
  void message_box(std::string_view text) override {
    calls.push_back("message");
    messages.emplace_back(text);
  }
  std::filesystem::path program_folder() override { return folder_; }
  char path_separator() const override { return separator_; }

  std::vector<std::string> calls;
  std::vector<std::string> messages;
  std::size_t writes_before_show = 0;

 protected:
  void do_end_program(int status) override {
    calls.push_back("end " + std::to_string(status));
    throw program_end{status};
  }

 private:
  const memory_file_system& fs_;
  std::filesystem::path folder_;
  char separator_;
};

const std::array<std::string, 5> written_in_order = {
    "/prog/Viterbo_Attigliano_Orte_linea.txt",
    "/prog/Viterbo_Attigliano_Orte_7547-.txt",
    "/prog/Viterbo_Attigliano_Orte_7547_note.txt",
    "/prog/Viterbo_Attigliano_Orte_7547_rallentamenti.txt",
    "/prog/Viterbo_Attigliano_Orte_7547_scheda_treno.txt",
};

class form1_test : public testing::Test {
 protected:
  // Runs `step` to the end of the program and gives the exit status.
  template <typename F>
  int run_to_end(F step) {
    try {
      step();
    } catch (const program_end& end) {
      return end.status;
    }
    ADD_FAILURE() << "the program did not end";
    return -1;
  }

  int run() {
    return run_to_end([&] { form.Form_Load(); });
  }

  memory_file_system fs;
  fake_platform platform_double{fs, "/prog", '/'};
  Form1 form{platform_double, fs};
};

TEST_F(form1_test, ShowsTheWindowFirstThenWritesTheFiveFilesInOrder) {
  const int status = run();

  ASSERT_FALSE(platform_double.calls.empty());
  EXPECT_EQ(platform_double.calls.front(), "show");
  EXPECT_EQ(platform_double.writes_before_show, 0u);
  ASSERT_GE(fs.log.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(fs.log[i], "write " + written_in_order[i]);
  EXPECT_EQ(form.nome_linea, "Viterbo_Attigliano_Orte");
  EXPECT_EQ(form.numero_treno, "7547");

  // The run reads nothing it did not write: whatever it deletes, it wrote
  // earlier in the same run.
  for (std::size_t i = 0; i < fs.log.size(); ++i) {
    if (fs.log[i].rfind("remove ", 0) != 0) continue;
    const std::string written = "write " + fs.log[i].substr(7);
    EXPECT_NE(std::find(fs.log.begin(), fs.log.begin() + static_cast<long>(i), written),
              fs.log.begin() + static_cast<long>(i))
        << fs.log[i];
  }

  // A complete run ends quietly with 0; a run whose compile step built no
  // route model ends with the unexpected-failure report and 2.
  if (status == 0) {
    EXPECT_TRUE(platform_double.messages.empty());
  } else {
    EXPECT_EQ(status, 2);
    EXPECT_EQ(platform_double.messages.size(), 1u);
  }
  EXPECT_EQ(platform_double.calls.back(), "end " + std::to_string(status));
}

TEST_F(form1_test, FileNamesUseThePlatformsFolderAndSeparator) {
  memory_file_system disk;
  fake_platform windows_like{disk, "D:\\", '\\'};
  Form1 f{windows_like, disk};
  run_to_end([&] { f.Form_Load(); });
  ASSERT_FALSE(disk.log.empty());
  // The separator is added even after a drive root.
  EXPECT_EQ(disk.log.front(), "write D:\\\\Viterbo_Attigliano_Orte_linea.txt");
}

TEST_F(form1_test, ErroreShowsTheCodeAndEndsWithStatusOne) {
  for (const std::string code : {"1250", "1251"}) {
    fake_platform p{fs, "/prog", '/'};
    Form1 f{p, fs};
    EXPECT_EQ(run_to_end([&] { f.errore(code); }), 1);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], " Errore n. " + code);
    EXPECT_EQ(p.calls, (std::vector<std::string>{"message", "end 1"}));
  }
  EXPECT_TRUE(fs.log.empty());
}

class failing_write_test : public form1_test, public testing::WithParamInterface<std::size_t> {};

TEST_P(failing_write_test, StopsTheRunAtTheFileThatFails) {
  const std::size_t failing = GetParam();
  const std::string& name = written_in_order[failing];
  fs.fail_write(name, "Read-only file system");

  EXPECT_EQ(run(), 2);

  ASSERT_EQ(platform_double.messages.size(), 1u);
  const std::string& message = platform_double.messages[0];
  EXPECT_NE(message.find(name + ": Read-only file system"), std::string::npos) << message;
  EXPECT_EQ(platform_double.calls, (std::vector<std::string>{"show", "message", "end 2"}));
  // The files before it stay as written; nothing after it is written and
  // the compile step never ran (it would have deleted the first two).
  ASSERT_EQ(fs.log.size(), failing);
  for (std::size_t i = 0; i < failing; ++i) {
    EXPECT_EQ(fs.log[i], "write " + written_in_order[i]);
    EXPECT_TRUE(fs.file_exists(written_in_order[i]));
  }
  EXPECT_EQ(fs.files.size(), failing);
}

// The notes file (2) is the case of a run that stops halfway.
INSTANTIATE_TEST_SUITE_P(EachTextFile, failing_write_test, testing::Range<std::size_t>(0, 5));

}  // namespace
}  // namespace scenario
