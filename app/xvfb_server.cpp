#include "app/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

extern char** environ;

namespace scenario {

namespace {
// Xvfb usually answers within a second; a loaded machine may need more.
constexpr std::chrono::milliseconds start_timeout{15000};
}  // namespace

std::string xvfb_server::find_binary() {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "/usr/bin:/bin";
  while (!dirs.empty()) {
    const std::size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    const std::string candidate = (std::filesystem::path(dir) / "Xvfb").string();
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

xvfb_server::xvfb_server() {
  const std::string binary = find_binary();
  if (binary.empty()) {
    error_ = "Xvfb is not installed";
    return;
  }
  // Xvfb writes the display number it chose on this pipe once it is ready.
  int fds[2];
  if (pipe(fds) != 0) {
    error_ = std::string("pipe: ") + std::strerror(errno);
    return;
  }
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  const std::string write_fd = std::to_string(fds[1]);
  std::vector<std::string> args = {binary,       "-displayfd", write_fd, "-screen", "0",
                                   "800x600x24", "-nolisten",  "tcp",    "-noreset"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int rc = posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    pid_ = -1;
    close(fds[0]);
    error_ = std::string("posix_spawn Xvfb: ") + std::strerror(rc);
    return;
  }

  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + start_timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      error_ = "Xvfb did not report a display in time";
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) {
      error_ = std::string("poll: ") + std::strerror(errno);
      break;
    }
    if (ready <= 0) continue;
    char c;
    const ssize_t n = read(fds[0], &c, 1);
    if (n == 0) {
      error_ = "Xvfb exited before reporting a display";
      break;
    }
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      error_ = std::string("read: ") + std::strerror(errno);
      break;
    }
    if (c == '\n') {
      if (!number.empty()) display_name_ = ":" + number;
      break;
    }
    number.push_back(c);
  }
  close(fds[0]);
  if (display_name_.empty() && error_.empty()) error_ = "Xvfb reported no display number";
}

xvfb_server::~xvfb_server() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace scenario
