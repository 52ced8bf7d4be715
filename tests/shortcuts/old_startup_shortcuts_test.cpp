#include "shortcuts/old_startup_shortcuts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/harness.h"

namespace quillon::shortcuts {
namespace {


constexpr const char* kUserStartup =
    "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
constexpr const char* kAllStartup = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
constexpr const char* kQuillon = "C:\\Program Files\\Quillon\\quillon.exe";

class OldStartupShortcuts : public ::testing::Test {
protected:
    fakes::Harness run;

    void SetUp() override {
        run.system.environment["APPDATA"] = "C:\\Users\\ann\\AppData\\Roaming";
        run.system.environment["ALLUSERSPROFILE"] = "C:\\ProgramData";
    }

    void Link(std::string_view folder, std::string_view name, std::string_view target) {
        run.shell.AddLink(std::string(folder) + "\\" + std::string(name), {.target = std::string(target)});
    }

    // Runs one pass and keeps what it has to tell the user.
    void Remove(ShortcutPlace location) {
        if (auto notice = RemoveOldStartupShortcuts(run.os, run.state.Texts, location)) notices.push_back(*notice);
    }

    std::vector<Notice> notices;

    std::vector<std::string> Remaining(std::string_view folder) {
        std::vector<std::string> names;
        ListFiles(run.files, std::string(folder) + "\\*", names, 1);
        return {names.begin() + 1, names.end()};
    }
};

TEST_F(OldStartupShortcuts, DeletesOnlyShortcutsWhoseTargetIsTheProgram) {
    Link(kUserStartup, "Set default printer to Fax.lnk", kQuillon);
    Link(kUserStartup, "Printer at logon.lnk", "D:\\OLD\\QUILLON.EXE");
    Link(kUserStartup, "Set default printer to Mine.lnk", "C:\\Tools\\myquillon.exe");
    Link(kUserStartup, "Set default printer to My Way.lnk", "C:\\Tools\\setprinter.exe");
    Link(kUserStartup, "Copy.lnk", "C:\\Tools\\quillon2.exe");
    run.files.AddFile(std::string(kUserStartup) + "\\notes.txt", "quillon.exe");

    Remove(ShortcutPlace::Startup);

    EXPECT_EQ(Remaining(kUserStartup),
              (std::vector<std::string>{"Set default printer to Mine.lnk",
                                        "Set default printer to My Way.lnk", "Copy.lnk",
                                        "notes.txt"}));
    EXPECT_TRUE(notices.empty());
}

TEST_F(OldStartupShortcuts, EachLocationTouchesOnlyItsOwnFolder) {
    Link(kUserStartup, "Set default printer to A.lnk", kQuillon);
    Link(kAllStartup, "Set default printer to B.lnk", kQuillon);

    Remove(ShortcutPlace::AllStartup);
    EXPECT_EQ(Remaining(kUserStartup).size(), 1u);
    EXPECT_TRUE(Remaining(kAllStartup).empty());

    Link(kAllStartup, "Set default printer to B.lnk", kQuillon);
    Remove(ShortcutPlace::Startup);
    EXPECT_TRUE(Remaining(kUserStartup).empty());
    EXPECT_EQ(Remaining(kAllStartup).size(), 1u);
}

TEST_F(OldStartupShortcuts, RefusedReadOfTheProgramsEntryStopsThePassWithTheInfoBox) {
    Link(kAllStartup, "Other.lnk", kQuillon);
    Link(kAllStartup, "Set default printer to Fax.lnk", kQuillon);
    Link(kAllStartup, "Set default printer to HP.lnk", kQuillon);
    run.shell.failingLinkFiles[std::string(kAllStartup) + "\\set default printer to fax.lnk"] = {
        "Load", {.accessDenied = true, .text = {}}};

    Remove(ShortcutPlace::AllStartup);

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text,
              "To remove old shortcut from ALL USERS, you must run Quillon as Administator!");
    EXPECT_EQ(notices[0].title, "Info");
    EXPECT_EQ(notices[0].icon, platform::MessageIcon::Information);
    // The one before was deleted; the refused one and the one after were
    // neither deleted nor read.
    EXPECT_EQ(Remaining(kAllStartup), (std::vector<std::string>{"Set default printer to Fax.lnk",
                                                                "Set default printer to HP.lnk"}));
    EXPECT_EQ(run.shell.readPaths.size(), 2u);
}

TEST_F(OldStartupShortcuts, RefusedReadOfAnotherShortcutIsPassedOver) {
    Link(kAllStartup, "Mine.lnk", kQuillon);
    Link(kAllStartup, "Set default printer to HP.lnk", kQuillon);
    run.shell.failingLinkFiles[std::string(kAllStartup) + "\\Mine.lnk"] = {
        "Load", {.accessDenied = true, .text = {}}};

    Remove(ShortcutPlace::AllStartup);

    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(Remaining(kAllStartup), (std::vector<std::string>{"Mine.lnk"}));
}

TEST_F(OldStartupShortcuts, TargetReadBeforeAFailureStillDecides) {
    Link(kUserStartup, "Half.lnk", kQuillon);
    Link(kUserStartup, "Unreadable.lnk", kQuillon);
    const platform::ShellFailure invalid{.accessDenied = false, .text = "The data is invalid."};
    run.shell.failingLinkFiles[std::string(kUserStartup) + "\\Half.lnk"] = {"GetWorkingDirectory",
                                                                             invalid};
    run.shell.failingLinkFiles[std::string(kUserStartup) + "\\Unreadable.lnk"] = {"Load", invalid};

    Remove(ShortcutPlace::Startup);

    EXPECT_EQ(Remaining(kUserStartup), (std::vector<std::string>{"Unreadable.lnk"}));
}

TEST_F(OldStartupShortcuts, FailedDeletionIsIgnoredAndThePassGoesOn) {
    Link(kAllStartup, "Set default printer to A.lnk", kQuillon);
    run.files.readOnlyFolders.insert(kAllStartup);
    Link(kUserStartup, "Set default printer to B.lnk", kQuillon);

    Remove(ShortcutPlace::AllStartup);
    Remove(ShortcutPlace::Startup);

    EXPECT_EQ(Remaining(kAllStartup).size(), 1u);
    EXPECT_TRUE(Remaining(kUserStartup).empty());
    EXPECT_TRUE(notices.empty());
}

TEST_F(OldStartupShortcuts, MissingOrEmptyFolderChangesNothing) {
    Remove(ShortcutPlace::Startup);
    run.files.AddFile(std::string(kUserStartup) + "\\readme.txt");
    Remove(ShortcutPlace::Startup);
    EXPECT_TRUE(run.shell.readPaths.empty());
    EXPECT_TRUE(run.files.deleted.empty());
    EXPECT_TRUE(notices.empty());
}

TEST_F(OldStartupShortcuts, UnsetVariablesGiveAFolderOnTheCurrentDrive) {
    run.system.environment.clear();
    run.shell.AddLink("\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Old.lnk",
                      {.target = kQuillon});
    Remove(ShortcutPlace::Startup);
    EXPECT_EQ(run.files.deleted,
              (std::vector<std::string>{
                  "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\Old.lnk"}));
}

TEST(ListFiles, KeepsAnEmptyFirstElementAndTheListingOrder) {
    fakes::FakeFiles files;
    files.AddFile("C:\\S\\b.lnk");
    files.AddFile("C:\\S\\a.LNK");
    files.AddFile("C:\\S\\hidden.lnk", "", true);
    files.AddFile("C:\\S\\c.txt");
    files.AddFile("C:\\S\\sub\\d.lnk");
    std::vector<std::string> names{"old", "values"};

    ListFiles(files, "C:\\S\\*.lnk", names, 0);
    EXPECT_EQ(names, (std::vector<std::string>{"", "b.lnk", "a.LNK"}));

    ListFiles(files, "C:\\S\\*.lnk", names, 1);
    EXPECT_EQ(names, (std::vector<std::string>{"", "b.lnk", "a.LNK", "hidden.lnk"}));

    ListFiles(files, "C:\\Nowhere\\*.lnk", names, 0);
    EXPECT_EQ(names, (std::vector<std::string>{""}));
}

TEST(ListFiles, StopsAtTheLargestCount) {
    fakes::FakeFiles files;
    for (int i = 0; i < 32768; ++i) files.files.push_back({"C:\\S\\" + std::to_string(i) + ".lnk", "", false, false});
    std::vector<std::string> names;
    ListFiles(files, "C:\\S\\*.lnk", names, 0);
    ASSERT_EQ(names.size(), 32768u);
    EXPECT_EQ(names.back(), "32766.lnk");
}

class ReadShortcutTest : public ::testing::Test {
protected:
    fakes::FakeFiles files;
    fakes::FakeShell shell{files};
    std::string name = "n0";
    std::string target = "t0";
    std::string description = "d0";
    std::string working = "w0";
    std::string arguments = "a0";

    std::string Read(std::string_view path) {
        return ReadShortcut(shell, path, name, target, description, working, arguments);
    }
};

TEST_F(ReadShortcutTest, FillsEveryDetailOfAShortcut) {
    shell.AddLink("C:\\S\\Set default printer to Fax.lnk",
                  {.target = kQuillon, .arguments = "\"Fax\"", .workingFolder = "C:\\W",
                   .description = "Quillon"});
    EXPECT_EQ(Read("C:\\S\\Set default printer to Fax.lnk"), "");
    EXPECT_EQ(name, "Set default printer to Fax");
    EXPECT_EQ(target, kQuillon);
    EXPECT_EQ(description, "Quillon");
    EXPECT_EQ(working, "C:\\W");
    EXPECT_EQ(arguments, "\"Fax\"");
}

TEST_F(ReadShortcutTest, AddsTheExtensionWhenTheNameLacksIt) {
    shell.AddLink("C:\\S\\Fax.lnk", {.target = kQuillon});
    EXPECT_EQ(Read("C:\\S\\Fax"), "");
    EXPECT_EQ(Read("C:\\S\\Fax.LNK"), "");
    EXPECT_EQ(shell.readPaths, (std::vector<std::string>{"C:\\S\\Fax.lnk", "C:\\S\\Fax.LNK"}));
    Read("Fax.txt");
    EXPECT_EQ(shell.readPaths.back(), "Fax.txt.lnk");
}

TEST_F(ReadShortcutTest, ErrorTextsQuoteThePathAsPassedAndLeaveTheDetails) {
    shell.fileKinds["C:\\S\\plain.lnk"] = platform::FileKind::Folder;
    EXPECT_EQ(Read("C:\\S\\Missing"), "Cannot find shortcut file 'C:\\S\\Missing'");
    EXPECT_EQ(Read("C:\\S\\plain.lnk"), "File 'C:\\S\\plain.lnk' isn't a shortcut.");
    EXPECT_EQ(name, "n0");
    EXPECT_EQ(target, "t0");
}

TEST_F(ReadShortcutTest, FailureKeepsWhatWasReadAndDescribesItself) {
    shell.AddLink("C:\\S\\Fax.lnk", {.target = kQuillon, .description = "Quillon"});
    shell.failingLinkFiles["C:\\S\\Fax.lnk"] = {"GetPath", {.accessDenied = true, .text = {}}};
    EXPECT_EQ(Read("C:\\S\\Fax.lnk"), "Permission denied");
    EXPECT_EQ(name, "Fax");
    EXPECT_EQ(description, "Quillon");
    EXPECT_EQ(target, "t0");
    EXPECT_EQ(arguments, "a0");

    shell.failingLinkFiles["C:\\S\\Fax.lnk"].failure.accessDenied = false;
    EXPECT_NE(Read("C:\\S\\Fax.lnk"), "");
}

}  // namespace
}  // namespace quillon::shortcuts
