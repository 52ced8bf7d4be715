#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/notice.h"
#include "base/run_state.h"
#include "shortcuts/shortcut_place.h"

namespace quillon::shortcuts {

// Writes a shortcut named strShortcutName (cleaned of the characters a file
// name cannot hold) that runs strShortcutTarget with strShortcutArgs, into
// the place strShortcutLocation. A Startup entry first removes the
// program's older entries from both Startup folders. ownerWindow is the
// window the shell's lookups belong to.
struct ShortcutResult {
    bool created = false;
    // What the user must be told on the way, in order; the caller shows
    // them before its own word on the result.
    std::vector<Notice> notices;
};

ShortcutResult CreateShortcut(RunState& state, std::uintptr_t ownerWindow, std::string_view strShortcutName,
                    std::string_view strShortcutTarget, std::string_view strShortcutArgs,
                    ShortcutPlace strShortcutLocation);

}  // namespace quillon::shortcuts
