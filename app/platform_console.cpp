#include "app/platform_console.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/executable_folder.h"

namespace scenario {

namespace {

class console_platform : public platform {
 public:
  void show_waiting_window() override {
    std::fputs("Attendere\n", stderr);
    std::fflush(stderr);
  }

  void message_box(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
  }

  std::filesystem::path program_folder() override { return executable_folder(); }

  char path_separator() const override { return '/'; }

  void do_end_program(int status) override {
    std::fflush(nullptr);
    std::exit(status);
  }
};

}  // namespace

std::unique_ptr<platform> make_console_platform() {
  return std::make_unique<console_platform>();
}

}  // namespace scenario
