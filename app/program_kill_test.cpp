// The real program killed (SIGKILL) at random moments of its run, over a
// folder holding an earlier scenario. After every kill each scenario file
// is absent, its whole earlier version or its whole new one, and the folder
// as a whole is one of the states the run passes through in order; the only
// temporary file is the one of the write in progress. The next run then
// leaves the new scenario and no temporary file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "base/sha256.h"
#include "compiler/digest_scenario_fisso.h"
#include "compiler/route_model/nomi_file.h"

extern char** environ;

namespace scenario {
namespace {

// What a write cut short leaves of `fresh`: its bytes where they were
// written and zeros where they were not yet. The line data file's two
// halves are written piece by piece at their offsets, so a cut can leave a
// hole before the second half's first piece.
bool written_part_of(const std::string& fresh, const std::string& bytes) {
  if (bytes.size() > fresh.size()) return false;
  for (std::size_t p = 0; p < bytes.size(); ++p) {
    if (bytes[p] != fresh[p] && bytes[p] != '\0') return false;
  }
  return true;
}

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;
using std::chrono::microseconds;

// The eight files in the order a run writes them (see nomi_file_scenario);
// the first two are the descriptions, read back and deleted.
const std::vector<std::string> names = nomi_file_scenario("Viterbo_Attigliano_Orte", "7547");
constexpr std::size_t description_count = 2;
constexpr std::size_t document_count = 3;

// The run's steps on the folder, in order: write the two descriptions and
// the three documents, delete the two descriptions, write the three
// compiled files. A step is a file index and whether it writes or deletes.
struct step {
  std::size_t file;
  bool writes;
};
std::vector<step> run_steps() {
  std::vector<step> steps;
  const std::size_t texts = description_count + document_count;
  for (std::size_t i = 0; i < texts; ++i) steps.push_back({i, true});
  for (std::size_t i = 0; i < description_count; ++i) steps.push_back({i, false});
  for (std::size_t i = texts; i < names.size(); ++i) steps.push_back({i, true});
  return steps;
}

enum class version { absent, earlier, fresh, other };

const char* version_name(version v) {
  switch (v) {
    case version::absent:
      return "absent";
    case version::earlier:
      return "earlier";
    case version::fresh:
      return "new";
    case version::other:
      break;
  }
  return "NEITHER";
}

std::string read_all(const fs::path& p) {
  std::ifstream in(p, std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

void write_all(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// The environment minus DISPLAY, so the program runs on the console.
class headless_environment {
 public:
  headless_environment() {
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::strncmp(*e, "DISPLAY=", 8) != 0) strings_.emplace_back(*e);
    }
    for (auto& s : strings_) pointers_.push_back(s.data());
    pointers_.push_back(nullptr);
  }
  char** get() { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

// Starts `exe` with stdout and stderr discarded; -1 on failure.
pid_t start(const fs::path& exe, headless_environment& env) {
  std::string path = exe.string();
  char* argv[] = {path.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, env.get());
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

int wait_for(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

// Runs to the end; the exit status, or -1 when it did not exit normally.
int run_whole(const fs::path& exe, headless_environment& env) {
  const pid_t pid = start(exe, env);
  if (pid < 0) return -1;
  const int status = wait_for(pid);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits for a file of a given name to be created in a folder (inotify):
// the watch starts at construction, before the program does.
class creation_watch {
 public:
  creation_watch(const fs::path& folder, std::string name)
      : fd_(inotify_init1(IN_CLOEXEC)), name_(std::move(name)) {
    if (fd_ >= 0) inotify_add_watch(fd_, folder.c_str(), IN_CREATE);
  }
  ~creation_watch() {
    if (fd_ >= 0) ::close(fd_);
  }
  creation_watch(const creation_watch&) = delete;
  creation_watch& operator=(const creation_watch&) = delete;

  // True when the file was created before `deadline`.
  bool wait(clock_type::time_point deadline) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock_type::now());
      pollfd p{fd_, POLLIN, 0};
      if (fd_ < 0 || left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
        return false;
      }
      const ssize_t got = ::read(fd_, buffer, sizeof buffer);
      for (ssize_t at = 0; at < got;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
        if (e->len > 0 && name_ == e->name) return true;
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
  }

 private:
  int fd_;
  std::string name_;
};

// Where in the run a kill landed, read from the folder it left.
enum phase {
  before_first_write,
  writing_texts,
  reading_descriptions,
  compiling,
  writing_compiled_files,
  ending,
  ended_before_the_kill,
  phase_count
};
const std::array<const char*, phase_count> phase_names = {
    "before the first write",     "writing the five text files",
    "reading the descriptions",   "placing, before the first compiled file",
    "writing the compiled files", "all written, exiting",
    "ended before the kill came"};

// What one kill found.
struct outcome {
  phase where;
  bool write_cut_short;  // the temporary of the write in progress was there
};

class kill_test : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vo_kill_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
    root_ = pattern;
    folder_ = root_ / "program";
    fs::create_directory(folder_);
    program_ = folder_ / "viterbo_orte_7547";
    fs::copy_file(VO_PROGRAM_PATH, program_);
  }
  void TearDown() override {
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
  }

  // The new scenario's eight files, from a whole run checked against the
  // golden texts and the digests of the compiled files.
  void learn_new_scenario() {
    EXPECT_EQ(run_whole(program_, env_), 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
      fresh_.push_back(i < description_count ? read_all(fs::path(VO_TESTDATA_DIR) / names[i])
                                             : read_all(folder_ / names[i]));
    }
    for (std::size_t i = description_count; i < description_count + document_count; ++i) {
      EXPECT_EQ(fresh_[i], read_all(fs::path(VO_TESTDATA_DIR) / names[i])) << names[i];
    }
    const std::size_t compiled = description_count + document_count;
    EXPECT_EQ(sha256_hex(fresh_[compiled]), scenario_fisso::sha256_linea_dat);
    EXPECT_EQ(sha256_hex(fresh_[compiled + 1]), scenario_fisso::sha256_sim);
    EXPECT_EQ(sha256_hex(fresh_[compiled + 2]), scenario_fisso::sha256_celle_dat);
    // An earlier scenario: recognisable from its first byte, and longer, so
    // that neither a partial write nor one that does not truncate can pass
    // for either version.
    for (std::size_t i = 0; i < names.size(); ++i) {
      earlier_.push_back("versione precedente di " + names[i] + "\r\n" + fresh_[i] +
                         std::string(1000, '#'));
      // What a write cut short by an earlier kill left.
      stale_.push_back(earlier_[i].substr(0, earlier_[i].size() / 2));
    }
  }

  // How long a whole run over an earlier scenario takes, from its start to
  // its end as the kills see it: the median of five.
  microseconds measure_run() {
    std::vector<microseconds> times;
    for (int i = 0; i < 5; ++i) {
      lay_earlier_scenario(i % 2 == 1);
      const auto t0 = clock_type::now();
      EXPECT_EQ(run_whole(program_, env_), 0);
      times.push_back(std::chrono::duration_cast<microseconds>(clock_type::now() - t0));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
  }

  // The folder as an earlier scenario left it: the six final files; with
  // `interrupted`, also the two descriptions and a temporary of every file,
  // as after a kill. Files that are not the program's stand beside them.
  void lay_earlier_scenario(bool interrupted) {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      if (entry.path() != program_) fs::remove_all(entry.path());
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i >= description_count || interrupted) write_all(folder_ / names[i], earlier_[i]);
      if (interrupted) write_all(temporary_path(folder_ / names[i]), stale_[i]);
    }
    for (const auto& name : not_ours) write_all(folder_ / name, "not the program's: " + name);
  }

  version version_of(std::size_t i) const {
    const fs::path p = folder_ / names[i];
    if (!fs::exists(p)) return version::absent;
    const std::string bytes = read_all(p);
    if (bytes == earlier_[i]) return version::earlier;
    if (bytes == fresh_[i]) return version::fresh;
    return version::other;
  }

  // The versions after the first k steps of a run started from `initial`.
  std::vector<version> after_steps(const std::vector<version>& initial, std::size_t k) const {
    std::vector<version> v = initial;
    for (std::size_t s = 0; s < k; ++s) {
      v[steps_[s].file] = steps_[s].writes ? version::fresh : version::absent;
    }
    return v;
  }

  // The temporaries in the folder, by file index.
  std::map<std::size_t, std::string> temporaries() const {
    std::map<std::size_t, std::string> found;
    for (std::size_t i = 0; i < names.size(); ++i) {
      const fs::path t = temporary_path(folder_ / names[i]);
      if (fs::exists(t)) found[i] = read_all(t);
    }
    return found;
  }

  // A name in the folder that is none of the program, the eight files, their
  // temporaries and the files that are not the program's; "" when none.
  std::string stray_name() const {
    std::set<std::string> known(not_ours.begin(), not_ours.end());
    known.insert(program_.filename().string());
    for (const auto& name : names) {
      known.insert(name);
      known.insert(temporary_path(name).string());
    }
    for (const auto& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (known.count(name) == 0) return name;
    }
    return {};
  }

  // Checks the folder after a kill and tells how far the run had come.
  testing::AssertionResult check_after_kill(const std::vector<version>& initial, bool interrupted,
                                            bool exited, outcome& o) const {
    std::vector<version> now;
    std::string report;
    for (std::size_t i = 0; i < names.size(); ++i) {
      now.push_back(version_of(i));
      report += "\n  " + names[i] + ": " + version_name(now[i]);
    }
    std::optional<std::size_t> done;
    for (std::size_t k = 0; k <= steps_.size() && !done; ++k) {
      if (after_steps(initial, k) == now) done = k;
    }
    if (!done) return testing::AssertionFailure() << "not a state of the run:" << report;
    const std::size_t k = *done;

    // The write in progress may have left its temporary, holding pieces of
    // the new content; a temporary from before this run may stay only
    // until the run has begun writing.
    std::optional<std::size_t> in_progress;
    const auto temps = temporaries();
    for (const auto& [i, bytes] : temps) {
      const bool next_write = k < steps_.size() && steps_[k].writes && steps_[k].file == i;
      if (next_write && written_part_of(fresh_[i], bytes)) {
        in_progress = i;
      } else if (!(interrupted && bytes == stale_[i])) {
        return testing::AssertionFailure() << "after " << k << " steps, a temporary of " << names[i]
                                           << " of " << bytes.size() << " bytes";
      }
    }
    const bool writing_begun = k > 0 || in_progress.has_value();
    if (writing_begun && temps.size() > (in_progress ? 1u : 0u)) {
      return testing::AssertionFailure()
             << "after " << k << " steps a temporary of an earlier run is still there";
    }
    for (const auto& name : not_ours) {
      if (read_all(folder_ / name) != "not the program's: " + name) {
        return testing::AssertionFailure() << name << " was touched";
      }
    }
    if (const std::string stray = stray_name(); !stray.empty()) {
      return testing::AssertionFailure() << "after " << k << " steps the folder holds " << stray;
    }
    if (exited && k != steps_.size()) {
      return testing::AssertionFailure() << "exited after " << k << " steps";
    }

    const std::size_t texts = description_count + document_count;
    const std::size_t read = texts + description_count;
    o.write_cut_short = in_progress.has_value();
    if (exited) {
      o.where = ended_before_the_kill;
    } else if (!writing_begun) {
      o.where = before_first_write;
    } else if (k < texts) {
      o.where = writing_texts;
    } else if (k < read) {
      o.where = reading_descriptions;
    } else if (k == steps_.size()) {
      o.where = ending;
    } else if (k == read && !in_progress) {
      o.where = compiling;
    } else {
      o.where = writing_compiled_files;
    }
    return testing::AssertionSuccess();
  }

  // After a whole run: the six final files, new, and nothing else of ours.
  testing::AssertionResult check_finished() const {
    std::set<std::string> expected(not_ours.begin(), not_ours.end());
    expected.insert(program_.filename().string());
    for (std::size_t i = description_count; i < names.size(); ++i) {
      expected.insert(names[i]);
      if (version_of(i) != version::fresh) {
        return testing::AssertionFailure() << names[i] << " is not the new version";
      }
    }
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      present.insert(entry.path().filename().string());
    }
    if (present != expected) {
      std::string list;
      for (const auto& n : present) list += " " + n;
      return testing::AssertionFailure() << "the folder holds" << list;
    }
    return testing::AssertionSuccess();
  }

  // One kill over an earlier scenario (every other time an interrupted
  // one), `moment` after the start or, with a `trigger`, after the program
  // created that file; then the checks; when the kill cut a write short,
  // and every sixteenth time, a whole run from there. Nothing on failure, which
  // is reported.
  std::optional<outcome> kill_at(microseconds moment, const std::string& trigger = {}) {
    const int n = kills_++;
    const bool interrupted = n % 2 == 1;
    lay_earlier_scenario(interrupted);
    std::vector<version> initial;
    for (std::size_t i = 0; i < names.size(); ++i) {
      initial.push_back(i >= description_count || interrupted ? version::earlier : version::absent);
    }

    std::optional<creation_watch> watch;
    if (!trigger.empty()) watch.emplace(folder_, trigger);
    auto t0 = clock_type::now();
    const pid_t pid = start(program_, env_);
    if (pid < 0) {
      ADD_FAILURE() << "cannot start " << program_;
      return std::nullopt;
    }
    // A run that never creates the trigger is killed after ten seconds, and
    // its folder checked all the same.
    if (watch && watch->wait(t0 + std::chrono::seconds(10))) t0 = clock_type::now();
    if (moment.count() > 0) std::this_thread::sleep_until(t0 + moment);
    ::kill(pid, SIGKILL);
    const int status = wait_for(pid);
    const bool exited = WIFEXITED(status);
    if (exited ? WEXITSTATUS(status) != 0 : WTERMSIG(status) != SIGKILL) {
      ADD_FAILURE() << "kill " << n << ": status " << status;
      return std::nullopt;
    }

    outcome o{before_first_write, false};
    const auto checked = check_after_kill(initial, interrupted, exited, o);
    if (!checked) {
      ADD_FAILURE() << "kill " << n << " at " << moment.count() << " us"
                    << (trigger.empty() ? "" : " after " + trigger + " appeared") << ": "
                    << checked.message();
      return std::nullopt;
    }
    if (o.write_cut_short || n % 16 == 0) {
      ++next_runs_;
      const int rc = run_whole(program_, env_);
      const auto finished = check_finished();
      if (rc != 0 || !finished) {
        ADD_FAILURE() << "the run after kill " << n << " exits " << rc << "; "
                      << finished.message();
        return std::nullopt;
      }
    }
    return o;
  }

  const std::vector<std::string> not_ours = {"Viterbo_Attigliano_Orte_7547.sim.tmp",
                                             "Viterbo_Attigliano_Orte_7547_note.txt~",
                                             "Viterbo_Attigliano_Orte_7546.dat.tmp~"};
  const std::vector<step> steps_ = run_steps();
  fs::path root_, folder_, program_;
  headless_environment env_;
  std::vector<std::string> fresh_, earlier_, stale_;
  int kills_ = 0;
  int next_runs_ = 0;
};

unsigned seed_from_environment() {
  if (const char* s = std::getenv("VO_KILL_SEED")) return static_cast<unsigned>(std::stoul(s));
  return std::random_device{}();
}

// Moments over the whole run of `duration`: a few right at the start, a few
// just before its end, then uniform up to a little past the end.
class moments_over_the_run {
 public:
  explicit moments_over_the_run(microseconds duration)
      : d_(duration.count()), anywhere_(0, d_ + d_ / 20) {}
  microseconds next(std::mt19937& rng) {
    const int i = taken_++;
    if (i < 6) return microseconds(i * 20);
    if (i < 12) return microseconds(d_ - d_ * (i - 5) / 100);
    return microseconds(anywhere_(rng));
  }

 private:
  microseconds::rep d_;
  std::uniform_int_distribution<microseconds::rep> anywhere_;
  int taken_ = 0;
};

TEST_F(kill_test, EveryFileIsWholeEarlierOrWholeNewAfterAKillAtAnyMoment) {
  const auto test_start = clock_type::now();
  const unsigned seed = seed_from_environment();
  std::cout << "kill test seed " << seed << " (VO_KILL_SEED=" << seed
            << " repeats these moments)\n";
  learn_new_scenario();
  ASSERT_FALSE(HasFailure()) << "the whole run does not give the golden files";
  const microseconds duration = measure_run();
  std::mt19937 rng(seed);

  std::vector<outcome> seen;
  // A kill that comes after the end kills nothing: count only those that
  // found the program running.
  int caught = 0;
  auto kill = [&](microseconds moment, const std::string& trigger = {}) {
    const auto o = kill_at(moment, trigger);
    if (!o) return o;
    seen.push_back(*o);
    caught += o->where != ended_before_the_kill ? 1 : 0;
    return o;
  };
  moments_over_the_run over_the_run(duration);
  while (caught < 160 && seen.size() < 600) {
    ASSERT_TRUE(kill(over_the_run.next(rng))) << "seed " << seed;
  }
  // Then more where files are replaced, short spans of the run: each up to
  // 300 us after the program created the temporary of one of the eight
  // files, chosen at random; forty, and more until 210 kills in all found
  // the program running.
  std::uniform_int_distribution<std::size_t> any_file(0, names.size() - 1);
  std::uniform_int_distribution<microseconds::rep> soon_after(0, 300);
  for (int i = 0; (i < 40 || caught < 210) && i < 200; ++i) {
    const std::string trigger = temporary_path(names[any_file(rng)]).string();
    ASSERT_TRUE(kill(microseconds(soon_after(rng)), trigger)) << "seed " << seed;
  }

  std::array<int, phase_count> landed{};
  int cut_short = 0;
  for (const auto& o : seen) {
    ++landed[o.where];
    cut_short += o.write_cut_short ? 1 : 0;
  }
  const auto took =
      std::chrono::duration_cast<std::chrono::milliseconds>(clock_type::now() - test_start);
  std::cout << caught << " kills of " << seen.size() << " over a run of " << duration.count()
            << " us; " << next_runs_ << " whole runs after a kill; " << took.count()
            << " ms in all; " << cut_short << " kills cut a write short, leaving its temporary\n";
  for (int p = 0; p < phase_count; ++p) {
    std::cout << "  " << landed[p] << " " << phase_names[p] << "\n";
  }
  EXPECT_GE(caught, 200);
  // Every part of the run was hit, not just its start or its end.
  for (phase p : {before_first_write, writing_texts, reading_descriptions, compiling,
                  writing_compiled_files}) {
    EXPECT_GT(landed[p], 0) << "no kill landed " << phase_names[p];
  }
}

}  // namespace
}  // namespace scenario
