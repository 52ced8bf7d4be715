#pragma once

#include <string>

#include "platform/window_toolkit.h"

namespace quillon {

// A message for the user from a part of the program that shows no windows;
// the window that asked for the work shows it.
struct Notice {
    std::string text;
    std::string title;
    platform::MessageIcon icon = platform::MessageIcon::None;
};

}  // namespace quillon
