// Linux: the X11 window when a display can be opened, else the console.
#include "app/platform.h"
#include "app/platform_console.h"
#include "app/platform_x11.h"

namespace scenario {

std::unique_ptr<platform> make_platform() {
  if (auto x11 = make_x11_platform()) return x11;
  return make_console_platform();
}

}  // namespace scenario
