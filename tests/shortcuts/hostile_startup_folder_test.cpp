#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/harness.h"
#include "shortcuts/old_startup_shortcuts.h"

namespace quillon::shortcuts {
namespace {

using Outcome = platform::ShortcutReading::Outcome;
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
    auto reading = [&](const char* name, Outcome outcome, std::optional<std::string> target,
                       std::string error = {}) {
        run.files.AddFile(folder + "\\" + name, "\x4C\xA5\xA5");
        platform::ShortcutReading forced;
        forced.outcome = outcome;
        forced.target = std::move(target);
        forced.errorText = std::move(error);
        run.shell.forcedReadings[folder + "\\" + name] = forced;
    };
    run.files.AddFile(folder + "\\Set default printer to Empty.lnk", "");
    run.files.AddFile(folder + "\\Set default printer to Text.lnk", "quillon.exe fax\r\n");
    reading("Set default printer to Broken.lnk", Outcome::Failed, std::nullopt, "Unspecified error");
    reading("Set default printer to Cut.lnk", Outcome::Failed, "C:\\Windows\\notepad.exe");
    reading("Set default printer to Vanished.lnk", Outcome::NotFound, std::nullopt);
    reading("Set default printer to Nothing.lnk", Outcome::Read, std::string());
    run.files.AddFile(folder + "\\Set default printer to .lnk", "L");
    run.shell.AddLink(folder + "\\Set default printer to Old.lnk",
                      {.target = "C:\\Program Files\\Quillon\\QUILLON.EXE"});
    const std::string longName = "Set default printer to " + std::string(300, 'n') + ".lnk";
    run.shell.AddLink(folder + "\\" + longName, {.target = "C:\\Tools\\other.exe"});

    EXPECT_FALSE(RemoveOldStartupShortcuts(run.os, ShortcutPlace::Startup).has_value());

    EXPECT_EQ(run.files.deleted, Names{folder + "\\Set default printer to Old.lnk"});
    // Every file was looked at, the broken ones included.
    EXPECT_EQ(run.shell.readPaths.size(), 9u);
}

}  // namespace
}  // namespace quillon::shortcuts
