#include "shortcuts/create_shortcut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/harness.h"
#include "fakes/startup_folders.h"

namespace quillon::shortcuts {
namespace {

using platform::MessageIcon;

constexpr const char* kDesktop = "C:\\Users\\ann\\Desktop";
using fakes::kAllStartup;
using fakes::kAllUsersInfo;
using fakes::kTarget;
using fakes::kUserStartup;

class CreateShortcutTest : public ::testing::Test {
protected:
    fakes::Harness run;

    void SetUp() override {
        run.system.environment["APPDATA"] = "C:\\Users\\ann\\AppData\\Roaming";
        run.system.environment["ALLUSERSPROFILE"] = "C:\\ProgramData";
        run.state.DiagnosticsEnabled = true;
    }

    // Makes one shortcut and keeps what it has to tell the user.
    bool Create(std::string_view name, ShortcutPlace location) {
        auto result = CreateShortcut(run.state, 4711, name, kTarget, "\"Fax\"", location);
        notices.insert(notices.end(), result.notices.begin(), result.notices.end());
        return result.created;
    }

    std::vector<Notice> notices;

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : notices) texts.push_back(message.text);
        return texts;
    }
};

TEST_F(CreateShortcutTest, DesktopWritesTheCleanNamedLink) {
    ASSERT_TRUE(Create("Set default printer to a/b:c*?\"<>|'\\d", ShortcutPlace::Desktop));
    const auto link = run.shell.Link(std::string(kDesktop) + "\\Set default printer to abcd.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, kTarget);
    EXPECT_EQ(link->arguments, "\"Fax\"");
    EXPECT_EQ(link->description, "Quillon");
    EXPECT_EQ(link->workingFolder, "");
    EXPECT_EQ(link->iconFile, kTarget);
    EXPECT_EQ(link->iconIndex, 0);
    EXPECT_EQ(link->hotKey, 0);
    EXPECT_EQ(link->showCommand, 5);
    EXPECT_TRUE(notices.empty());
    // The main window owns both lookups: the Startup folder and the desktop.
    EXPECT_TRUE(std::all_of(run.shell.folderOwners.begin(), run.shell.folderOwners.end(),
                            [](std::uintptr_t owner) { return owner == 4711; }));
    EXPECT_EQ(run.LogLines(),
              (std::vector<std::string>{
                  "shortcut = C:\\Program Files\\Quillon\\quillon.exe \"Fax\"",
                  "Desktop shortcut created successfully"}));
}

TEST_F(CreateShortcutTest, NameOfRemovedCharactersOnlyGivesDotLnk) {
    ASSERT_TRUE(Create("\\/:*?\"<>|'", ShortcutPlace::Desktop));
    EXPECT_TRUE(run.shell.Link(std::string(kDesktop) + "\\.lnk"));
}

TEST_F(CreateShortcutTest, FailedDesktopLinkIsReportedAsFailed) {
    run.shell.failingLinkCall = "Save";
    EXPECT_FALSE(Create("Set default printer to Fax", ShortcutPlace::Desktop));
    run.shell.specialFolders.erase(platform::kCsidlDesktop);
    run.shell.failingLinkCall.clear();
    run.shell.linkCalls.clear();
    EXPECT_FALSE(Create("Set default printer to Fax", ShortcutPlace::Desktop));
    EXPECT_TRUE(run.shell.linkCalls.empty());
    EXPECT_FALSE(run.files.Exists("\\Set default printer to Fax.lnk"));
    EXPECT_EQ(run.LogLines().back(), "Desktop shortcut create failed");
    EXPECT_TRUE(notices.empty());
}

TEST_F(CreateShortcutTest, StartupEntriesGoThroughTheStartMenuLinkWriter) {
    run.state.IsWindows6OrLater = true;
    ASSERT_TRUE(Create("Set default printer to Fax", ShortcutPlace::Startup));
    const auto user = run.shell.Link(std::string(kUserStartup) + "\\Set default printer to Fax.lnk");
    ASSERT_TRUE(user);
    EXPECT_EQ(user->target, kTarget);
    EXPECT_EQ(user->arguments, "\"Fax\"");
    EXPECT_EQ(user->workingFolder, "C:\\Program Files\\Quillon");
    EXPECT_EQ(user->iconFile, kTarget);
    ASSERT_TRUE(Create("Set default printer to <HP>", ShortcutPlace::AllStartup));
    // The all-users entry replaced the current user's.
    EXPECT_FALSE(run.files.Exists(std::string(kUserStartup) + "\\Set default printer to Fax.lnk"));
    EXPECT_TRUE(run.files.Exists(std::string(kAllStartup) + "\\Set default printer to HP.lnk"));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kAllUsersInfo});
}

TEST_F(CreateShortcutTest, NewStartupEntryReplacesOldOnesInBothFoldersEvenWhenItFails) {
    run.shell.AddLink(std::string(kUserStartup) + "\\Set default printer to A.lnk", {.target = kTarget});
    run.shell.AddLink(std::string(kAllStartup) + "\\Set default printer to B.lnk", {.target = kTarget});
    run.shell.failingLinkCall = "Save";

    EXPECT_FALSE(Create("Set default printer to C", ShortcutPlace::Startup));

    EXPECT_EQ(run.files.deleted,
              (std::vector<std::string>{std::string(kUserStartup) + "\\Set default printer to A.lnk",
                                        std::string(kAllStartup) + "\\Set default printer to B.lnk"}));
    EXPECT_EQ(run.LogLines().back(), "Startup shortcut create failed");
}

TEST_F(CreateShortcutTest, AllUsersInfoComesOnlyFromVersionSixOn) {
    run.state.IsWindows6OrLater = false;
    ASSERT_TRUE(Create("Set default printer to Fax", ShortcutPlace::AllStartup));
    EXPECT_TRUE(notices.empty());
    run.state.IsWindows6OrLater = true;
    run.shell.failingLinkCall = "Save";
    EXPECT_FALSE(Create("Set default printer to Fax", ShortcutPlace::AllStartup));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, kAllUsersInfo);
    EXPECT_EQ(notices[0].title, "Info");
    EXPECT_EQ(notices[0].icon, MessageIcon::Information);
    // The current user's entry never shows it.
    notices.clear();
    Create("Set default printer to Fax", ShortcutPlace::Startup);
    EXPECT_TRUE(notices.empty());
}

TEST_F(CreateShortcutTest, EmptyStartupFolderNameIsReportedAndTriedAnyway) {
    for (const char* startupPath : {"", "NoBackslash", "C:\\Trailing\\"}) {
        run.shell.specialFolders[platform::kCsidlStartup] = startupPath;
        notices.clear();
        run.shell.linkCalls.clear();
        EXPECT_FALSE(Create("Set default printer to Fax", ShortcutPlace::Startup)) << startupPath;
        ASSERT_EQ(notices.size(), 1u) << startupPath;
        EXPECT_EQ(notices[0].text, "Could not determine startup folder name!");
        EXPECT_EQ(notices[0].title, "Error");
        EXPECT_EQ(notices[0].icon, MessageIcon::Exclamation);
        // Refused before any link object is made.
        EXPECT_TRUE(run.shell.linkCalls.empty()) << startupPath;
    }
    // On version 6 the all-users Info box takes the place of the error.
    run.state.IsWindows6OrLater = true;
    notices.clear();
    Create("Set default printer to Fax", ShortcutPlace::AllStartup);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kAllUsersInfo});
    // The desktop does not need the Startup folder.
    notices.clear();
    EXPECT_TRUE(Create("Set default printer to Fax", ShortcutPlace::Desktop));
    EXPECT_TRUE(notices.empty());
}

TEST_F(CreateShortcutTest, ProgramsGoesIntoTheStartMenuWithoutRemovals) {
    run.shell.AddLink(std::string(kUserStartup) + "\\Set default printer to A.lnk", {.target = kTarget});
    ASSERT_TRUE(Create("Set default printer to Fax", ShortcutPlace::Programs));
    EXPECT_TRUE(run.shell.Link("C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\"
                               "Programs\\Set default printer to Fax.lnk"));
    EXPECT_TRUE(run.files.deleted.empty());
}

TEST_F(CreateShortcutTest, NoLogLinesWithDiagnosticsOff) {
    run.state.DiagnosticsEnabled = false;
    ASSERT_TRUE(Create("Set default printer to Fax", ShortcutPlace::Desktop));
    EXPECT_FALSE(run.files.Exists("C:\\Program Files\\Quillon\\QLNDiagnostics.log"));
}

}  // namespace
}  // namespace quillon::shortcuts
