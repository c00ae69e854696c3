// A private X server for tests: Xvfb on a display number it picks itself,
// stopped when the object goes. Linux only.
#pragma once

#include <sys/types.h>

#include <string>

namespace scenario {

class xvfb_server {
 public:
  // Starts Xvfb with one 800 x 600 x 24 screen and waits until it accepts
  // connections. On failure display_name() is empty and error() says why.
  xvfb_server();
  ~xvfb_server();
  xvfb_server(const xvfb_server&) = delete;
  xvfb_server& operator=(const xvfb_server&) = delete;

  // The Xvfb binary from PATH, or "" when it is not installed.
  static std::string find_binary();

  const std::string& display_name() const { return display_name_; }
  const std::string& error() const { return error_; }

 private:
  pid_t pid_ = -1;
  std::string display_name_;
  std::string error_;
};

}  // namespace scenario
