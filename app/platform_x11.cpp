#include "app/platform_x11.h"

namespace scenario {

// Placeholder until the X11 window lands: no display.
std::unique_ptr<platform> make_x11_platform() {
  return nullptr;
}

}  // namespace scenario
