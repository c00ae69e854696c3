// The program's only contact with the window system and the operating
// system: the waiting window, the modal message box, the program's folder
// and the end of the program. One implementation per platform, each in its
// own file; nothing else includes a platform header.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>

namespace scenario {

class platform {
 public:
  virtual ~platform() = default;

  // Shows the waiting window (client area 280 x 179 pixels, the label
  // "Attendere" at (64, 64), 177 x 53, bold sans about 24 pt) and paints it
  // once, before any work starts. It is never repainted afterwards.
  virtual void show_waiting_window() = 0;

  // A modal message box: `text` (UTF-8), an OK button only, no icon, the
  // application's title. Returns when the user has pressed OK.
  virtual void message_box(std::string_view text) = 0;

  // The folder that holds the program's executable, from the operating
  // system (never the current directory).
  virtual std::filesystem::path program_folder() = 0;

  // The separator put between the folder and a file name.
  virtual char path_separator() const = 0;

  // Ends the program at once: the window is destroyed and the process exits
  // with `status` (0 normal, 1 after a fatal report, 2 after an unexpected
  // failure).
  [[noreturn]] void end_program(int status) {
    do_end_program(status);
    std::abort();  // an implementation that returns has broken its contract
  }

 protected:
  // Exits the process; a test double may throw instead. Must not return.
  virtual void do_end_program(int status) = 0;
};

// The platform the program runs on; on Linux the X11 window when a display
// can be opened, the console otherwise.
std::unique_ptr<platform> make_platform();

}  // namespace scenario
