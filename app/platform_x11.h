#pragma once

#include <memory>

#include "app/platform.h"

namespace scenario {

// The waiting window and message box on an X11 display; nullptr when no
// display can be opened.
std::unique_ptr<platform> make_x11_platform();

}  // namespace scenario
