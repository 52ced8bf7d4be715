#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/harness.h"
#include "shortcuts/old_startup_shortcuts.h"

namespace quillon::shortcuts {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kStartup =
    "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";

// A Startup folder holding everything but proper shortcuts, each named as
// the program names its own: only the one shortcut that runs the program
// goes, and the pass neither stops nor asks anything.
TEST(HostileStartupFolder, OnlyTheProgramsOwnShortcutIsDeleted) {
    fakes::Harness run;
    run.system.environment["APPDATA"] = "C:\\Users\\ann\\AppData\\Roaming";
    const std::string folder = kStartup;
    // Junk the shell reads as a link up to the failing call (if any).
    auto junk = [&](const char* name, std::optional<std::string> target, std::string call,
                    std::string error = {}) {
        const std::string path = folder + "\\" + name;
        if (target) run.shell.AddLink(path, {.target = *target});
        run.files.AddFile(path, "\x4C\xA5\xA5");
        run.shell.failingLinkFiles[path] = {std::move(call), {.accessDenied = false, .text = error}};
    };
    run.files.AddFile(folder + "\\Set default printer to Empty.lnk", "");
    run.files.AddFile(folder + "\\Set default printer to Text.lnk", "quillon.exe fax\r\n");
    junk("Set default printer to Broken.lnk", std::nullopt, "Load", "Unspecified error");
    junk("Set default printer to Cut.lnk", "C:\\Windows\\notepad.exe", "GetWorkingDirectory");
    junk("Set default printer to Vanished.lnk", std::nullopt, "");
    run.shell.fileKinds[folder + "\\Set default printer to Vanished.lnk"] = platform::FileKind::Missing;
    junk("Set default printer to Nothing.lnk", std::string(), "");
    run.files.AddFile(folder + "\\Set default printer to .lnk", "L");
    run.shell.AddLink(folder + "\\Set default printer to Old.lnk",
                      {.target = "C:\\Program Files\\Quillon\\QUILLON.EXE"});
    const std::string longName = "Set default printer to " + std::string(300, 'n') + ".lnk";
    run.shell.AddLink(folder + "\\" + longName, {.target = "C:\\Tools\\other.exe"});

    EXPECT_FALSE(RemoveOldStartupShortcuts(run.os, run.state.Texts, ShortcutPlace::Startup).has_value());

    EXPECT_EQ(run.files.deleted, Names{folder + "\\Set default printer to Old.lnk"});
    // Every file was looked at, the broken ones included.
    EXPECT_EQ(run.shell.readPaths.size(), 9u);
}

}  // namespace
}  // namespace quillon::shortcuts
