#pragma once

#include <memory>

#include "app/platform.h"

namespace scenario {

// Without a window system: the waiting word and every message on stderr.
std::unique_ptr<platform> make_console_platform();

}  // namespace scenario
