#pragma once

#include <string_view>

namespace quillon::shortcuts {

// Where a shortcut of the program goes.
enum class ShortcutPlace { Desktop, Programs, Startup, AllStartup };

// The place as the log names it.
constexpr std::string_view PlaceName(ShortcutPlace place) {
    switch (place) {
        case ShortcutPlace::Desktop: return "Desktop";
        case ShortcutPlace::Programs: return "Programs";
        case ShortcutPlace::Startup: return "Startup";
        case ShortcutPlace::AllStartup: return "All Startup";
    }
    return {};
}

}  // namespace quillon::shortcuts
