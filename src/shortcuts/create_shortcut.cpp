#include "shortcuts/create_shortcut.h"

#include <string>

#include "base/text.h"
#include "base/texts.h"
#include "shortcuts/old_startup_shortcuts.h"
#include "shortcuts/shell_folders.h"
#include "shortcuts/shell_link.h"
#include "shortcuts/shortcut_names.h"

namespace quillon::shortcuts {
namespace {

constexpr std::string_view kPrograms = "$(Programs)";
constexpr std::int32_t kShowCommand = 5;  // SW_SHOW

void RemoveOldEntries(RunState& state, std::string_view startupFolderName,
                      std::vector<Notice>& notices) {
    for (const auto location : {ShortcutPlace::Startup, ShortcutPlace::AllStartup}) {
        if (auto notice =
                RemoveOldStartupShortcuts(state.os, state.Texts, location, startupFolderName)) {
            notices.push_back(std::move(*notice));
        }
    }
}

}  // namespace

ShortcutResult CreateShortcut(RunState& state, std::uintptr_t ownerWindow, std::string_view strShortcutName,
                    std::string_view strShortcutTarget, std::string_view strShortcutArgs,
                    ShortcutPlace strShortcutLocation) {
    auto& os = state.os;
    const std::string startupFolderName = StartupFolderName(
        WindowsShellFolders::GetSpecialFolderPath(os.shell, ownerWindow, platform::kCsidlStartup));
    const bool startup = strShortcutLocation == ShortcutPlace::Startup ||
                         strShortcutLocation == ShortcutPlace::AllStartup;

    ShortcutResult outcome;
    if (strShortcutLocation == ShortcutPlace::AllStartup && state.IsWindows6OrLater) {
        outcome.notices.push_back(
            {std::string(state.Texts.StartupForAllNeedsAdministrator), std::string(state.Texts.Info),
             platform::MessageIcon::Information});
    } else if (startup && startupFolderName.empty()) {
        outcome.notices.push_back({std::string(state.Texts.NoStartupFolderName),
                                   std::string(state.Texts.Error),
                                   platform::MessageIcon::Exclamation});
    }

    const std::string cleanName = CleanShortcutName(strShortcutName);
    bool& result = outcome.created;
    if (strShortcutLocation == ShortcutPlace::Desktop) {
        cShellLinkA link(os.shell);
        const std::string desktop = link.GetSystemFolderPath(ownerWindow, platform::kCsidlDesktop);
        // Without the desktop's path the link would land in the root of the
        // current drive, where nobody looks for it.
        result = !desktop.empty() &&
                 link.CreateLink(texts::DesktopShortcutDescription,
                                 desktop + "\\" + cleanName + ".lnk", strShortcutTarget, "",
                                 strShortcutArgs, 0, 0, kShowCommand);
    } else if (strShortcutLocation == ShortcutPlace::Programs) {  // no caller passes it yet
        result = fCreateShellLink(os.shell, kPrograms, cleanName, strShortcutTarget,
                                  strShortcutArgs, true, kPrograms) != 0;
    } else if (startup) {
        RemoveOldEntries(state, startupFolderName, outcome.notices);
        result = fCreateShellLink(os.shell, startupFolderName, cleanName, strShortcutTarget,
                                  strShortcutArgs, strShortcutLocation == ShortcutPlace::Startup,
                                  kPrograms) != 0;
    }

    if (state.DiagnosticsEnabled) {
        state.WriteDiagnostic("shortcut = " + std::string(strShortcutTarget) + " " +
                              std::string(strShortcutArgs));
        state.WriteDiagnostic(std::string(PlaceName(strShortcutLocation)) +
                              (result ? " shortcut created successfully" : " shortcut create failed"));
    }
    return outcome;
}

}  // namespace quillon::shortcuts
