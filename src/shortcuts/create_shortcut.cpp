#include "shortcuts/create_shortcut.h"

#include <string>

#include "base/text.h"
#include "shortcuts/old_startup_shortcuts.h"
#include "shortcuts/shell_folders.h"
#include "shortcuts/shell_link.h"
#include "shortcuts/shortcut_names.h"

namespace quillon::shortcuts {
namespace {

constexpr std::string_view kPrograms = "$(Programs)";
constexpr std::int32_t kShowCommand = 5;  // SW_SHOW

void RemoveOldEntries(platform::Platform& os, std::string_view startupFolderName,
                      std::vector<Notice>& notices) {
    for (const auto* location : {"startup", "all startup"}) {
        if (auto notice = RemoveOldStartupShortcuts(os, location, startupFolderName)) {
            notices.push_back(std::move(*notice));
        }
    }
}

}  // namespace

ShortcutResult CreateShortcut(RunState& state, std::uintptr_t ownerWindow, std::string_view strShortcutName,
                    std::string_view strShortcutTarget, std::string_view strShortcutArgs,
                    std::string_view strShortcutLocation) {
    auto& os = state.os;
    const std::string startupFolderName = StartupFolderName(
        WindowsShellFolders::GetSpecialFolderPath(os.shell, ownerWindow, platform::kCsidlStartup));
    const std::string loc = text::ToLower(strShortcutLocation);

    ShortcutResult outcome;
    if (loc == "all startup" && state.IsWindows6OrLater) {
        outcome.notices.push_back(
            {"To add to startup for all users, you must run Quillon as Administator!", "Info",
             platform::MessageIcon::Information});
    } else if (text::Contains(loc, "startup") && startupFolderName.empty()) {
        outcome.notices.push_back({"Could not determine startup folder name!", "Error",
                                   platform::MessageIcon::Exclamation});
    }

    const std::string cleanName = CleanShortcutName(strShortcutName);
    bool& result = outcome.created;
    if (loc == "desktop") {
        cShellLinkA link(os.shell);
        const std::string desktop = link.GetSystemFolderPath(ownerWindow, platform::kCsidlDesktop);
        // Without the desktop's path the link would land in the root of the
        // current drive, where nobody looks for it.
        result = !desktop.empty() && link.CreateLink("Quillon", desktop + "\\" + cleanName + ".lnk", strShortcutTarget,
                                 "", strShortcutArgs, 0, 0, kShowCommand);
    } else if (loc == "programs") {  // no caller passes it yet
        result = os.shell.fCreateShellLink(kPrograms, cleanName, strShortcutTarget,
                                           strShortcutArgs, true, kPrograms) != 0;
    } else if (loc == "startup" || loc == "all startup") {
        RemoveOldEntries(os, startupFolderName, outcome.notices);
        result = os.shell.fCreateShellLink(startupFolderName, cleanName, strShortcutTarget,
                                           strShortcutArgs, loc == "startup", kPrograms) != 0;
    }

    if (state.DiagnosticsEnabled) {
        state.WriteDiagnostic("shortcut = " + std::string(strShortcutTarget) + " " +
                              std::string(strShortcutArgs));
        state.WriteDiagnostic(std::string(strShortcutLocation) +
                              (result ? " shortcut created successfully" : " shortcut create failed"));
    }
    return outcome;
}

}  // namespace quillon::shortcuts
