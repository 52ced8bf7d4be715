#include "win32/win32_shell.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

// Where <shlobj.h> brings <shellapi.h>, its ShellExecute macro would rename
// the method called below.
#undef ShellExecute

#include <array>
#include <span>
#include <string>

#include "shortcuts/old_startup_shortcuts.h"
#include "shortcuts/shell_link.h"
#include "win32/unique_handle.h"
#include "test_support.h"

namespace quillon::platform::win32 {
namespace {

using shortcuts::ReadShortcutFile;
using shortcuts::ShortcutReading;
using win32_tests::ChildPath;
using win32_tests::ScopedEnvironment;
using win32_tests::TempFolder;

std::string KnownFolder(int csidl) {
    std::array<char, MAX_PATH> path{};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()))) return {};
    return path.data();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits for another process to make a file; a bounded wait, not a spin.
bool WaitForFile(const std::string& path) {
    for (int tries = 0; tries < 600; ++tries) {
        if (Exists(path)) return true;
        Sleep(50);
    }
    return false;
}

std::string Text(std::span<const char> buffer) { return std::string(buffer.data()); }

class Win32ShellTest : public ::testing::Test {
protected:
    unique_couninitialize com{COINIT_APARTMENTTHREADED};
    Win32Shell shell;
    TempFolder folder;

    void SetUp() override { ASSERT_TRUE(com); }

    // A link written through the link object with every detail set.
    std::string WriteFullLink(const std::string& name) {
        const std::string path = folder / name;
        auto link = shell.CreateShellLink();
        EXPECT_TRUE(link);
        if (!link) return path;
        EXPECT_TRUE(link->SetPath("C:\\windows\\notepad.exe"));
        EXPECT_TRUE(link->SetIconLocation("C:\\windows\\notepad.exe", 1));
        EXPECT_TRUE(link->SetShowCmd(SW_SHOWMINNOACTIVE));
        EXPECT_TRUE(link->SetHotkey(0x641));
        EXPECT_TRUE(link->SetWorkingDirectory("C:\\windows"));
        EXPECT_TRUE(link->SetArguments("\"HP LaserJet 4\""));
        EXPECT_TRUE(link->SetDescription("Quillon"));
        EXPECT_TRUE(link->Resolve(0, kResolveUpdate));
        EXPECT_TRUE(link->Save(path));
        return path;
    }
};

TEST_F(Win32ShellTest, SpecialFoldersAreTheSystemsOrEmpty) {
    EXPECT_EQ(shell.SpecialFolderPath(0, kCsidlDesktop), KnownFolder(CSIDL_DESKTOPDIRECTORY));
    EXPECT_EQ(shell.SpecialFolderPath(0, kCsidlStartup), KnownFolder(CSIDL_STARTUP));
    EXPECT_EQ(shell.SpecialFolderPath(0, kCsidlCommonPrograms), KnownFolder(CSIDL_COMMON_PROGRAMS));
    EXPECT_FALSE(shell.SpecialFolderPath(0, kCsidlStartup).empty());
    // Known to the system but without a path of its own.
    EXPECT_EQ(shell.SpecialFolderPath(0, CSIDL_DRIVES), "");
    EXPECT_EQ(shell.SpecialFolderPath(0, 0x3F), "");
}

TEST_F(Win32ShellTest, LinkObjectKeepsWhatWasSetThroughSaveAndLoad) {
    const std::string path = WriteFullLink("full.lnk");
    auto link = shell.CreateShellLink();
    ASSERT_TRUE(link);
    ASSERT_TRUE(link->Load(path));
    std::array<char, 260> buffer{};
    ASSERT_TRUE(link->GetPath(buffer, kPathUncPriority));
    EXPECT_EQ(lstrcmpiA(buffer.data(), "C:\\windows\\notepad.exe"), 0) << buffer.data();
    ASSERT_TRUE(link->GetArguments(buffer));
    EXPECT_EQ(Text(buffer), "\"HP LaserJet 4\"");
    ASSERT_TRUE(link->GetWorkingDirectory(buffer));
    EXPECT_EQ(Text(buffer), "C:\\windows");
    ASSERT_TRUE(link->GetDescription(buffer));
    EXPECT_EQ(Text(buffer), "Quillon");
    std::uint16_t hotKey = 0;
    ASSERT_TRUE(link->GetHotkey(hotKey));
    EXPECT_EQ(hotKey, 0x641);
    int index = 0;
    ASSERT_TRUE(link->GetIconLocation(buffer, index));
    EXPECT_EQ(index, 1);
    // Wine reads every show command back as SW_SHOWNORMAL, so the file's
    // header (the word at offset 0x3C) is what tells that it was written.
    int show = 0;
    EXPECT_TRUE(link->GetShowCmd(show));
    const std::string bytes = win32_tests::ReadWholeFile(path);
    ASSERT_GE(bytes.size(), 0x40u);
    EXPECT_EQ(bytes[0x3C], SW_SHOWMINNOACTIVE);
}

TEST_F(Win32ShellTest, LoadingWhatIsNoLinkFails) {
    auto link = shell.CreateShellLink();
    ASSERT_TRUE(link);
    EXPECT_FALSE(link->Load(folder / "missing.lnk"));
    EXPECT_FALSE(link->Save(folder / "no such folder\\x.lnk"));
}

TEST_F(Win32ShellTest, ReadShortcutGivesTheDetailsAndTheNameWithoutExtension) {
    WriteFullLink("Set default printer to HP.lnk");
    const auto reading = ReadShortcutFile(shell, folder / "Set default printer to HP.lnk");
    ASSERT_EQ(reading.outcome, ShortcutReading::Outcome::Read) << reading.errorText;
    EXPECT_EQ(reading.name, "Set default printer to HP");
    EXPECT_EQ(reading.description, "Quillon");
    ASSERT_TRUE(reading.target);
    EXPECT_EQ(lstrcmpiA(reading.target->c_str(), "C:\\windows\\notepad.exe"), 0) << *reading.target;
    EXPECT_EQ(reading.workingFolder, "C:\\windows");
    EXPECT_EQ(reading.arguments, "\"HP LaserJet 4\"");
}

TEST_F(Win32ShellTest, ReadShortcutTellsMissingFromNoLinkFromBroken) {
    using Outcome = ShortcutReading::Outcome;
    const std::string prefix = folder.path() + "\\";
    EXPECT_EQ(ReadShortcutFile(shell, prefix + "missing.lnk").outcome, Outcome::NotFound);
    EXPECT_EQ(ReadShortcutFile(shell, folder / "nowhere\\missing.lnk").outcome, Outcome::NotFound);

    ASSERT_TRUE(CreateDirectoryA((folder / "folder.lnk").c_str(), nullptr));
    EXPECT_EQ(ReadShortcutFile(shell, prefix + "folder.lnk").outcome, Outcome::NotALink);

    {
        unique_file file(CreateFileA((folder / "broken.lnk").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), "not a link", 10, &written, nullptr));
    }
    const auto broken = ReadShortcutFile(shell, prefix + "broken.lnk");
    EXPECT_EQ(broken.outcome, Outcome::Failed);
    EXPECT_FALSE(broken.errorText.empty());
    EXPECT_EQ(broken.name, "broken");
    EXPECT_FALSE(broken.target);
}

// Start-menu links go below the real Programs folders; each test removes
// what it made.
class StartMenuLinkTest : public Win32ShellTest {
protected:
    static constexpr const char* kFolder = "Quillon shell test";

    void TearDown() override {
        for (const int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
            const std::string base = KnownFolder(csidl);
            DeleteFileA((base + "\\" + kFolder + "\\Set default printer to Fax.lnk").c_str());
            RemoveDirectoryA((base + "\\" + kFolder).c_str());
            DeleteFileA((base + "\\Set default printer to Fax.lnk").c_str());
        }
    }

    void ExpectLink(const std::string& path) {
        ASSERT_TRUE(Exists(path)) << path;
        const auto reading = ReadShortcutFile(shell, path);
        ASSERT_EQ(reading.outcome, ShortcutReading::Outcome::Read) << reading.errorText;
        EXPECT_EQ(lstrcmpiA(reading.target->c_str(), "C:\\windows\\notepad.exe"), 0);
        EXPECT_EQ(reading.arguments, "\"Fax\"");
        EXPECT_EQ(lstrcmpiA(reading.workingFolder->c_str(), "C:\\windows"), 0);
    }
};

TEST_F(StartMenuLinkTest, PrivateLinkGoesIntoTheUsersFolderWhichIsMade) {
    EXPECT_NE(shortcuts::fCreateShellLink(shell, kFolder, "Set default printer to Fax",
                                          "C:\\windows\\notepad.exe", "\"Fax\"", true, "$(Programs)"),
              0);
    ExpectLink(KnownFolder(CSIDL_PROGRAMS) + "\\" + kFolder + "\\Set default printer to Fax.lnk");
    // Into the folder that exists now, again.
    EXPECT_NE(shortcuts::fCreateShellLink(shell, kFolder, "Set default printer to Fax",
                                          "C:\\windows\\notepad.exe", "\"Fax\"", true, "$(Programs)"),
              0);
}

TEST_F(StartMenuLinkTest, SharedLinkGoesIntoTheAllUsersFolder) {
    EXPECT_NE(shortcuts::fCreateShellLink(shell, kFolder, "Set default printer to Fax",
                                          "C:\\windows\\notepad.exe", "\"Fax\"", false, "$(Programs)"),
              0);
    ExpectLink(KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\" + kFolder +
               "\\Set default printer to Fax.lnk");
}

TEST_F(StartMenuLinkTest, ProgramsItselfAndRefusedRequests) {
    EXPECT_NE(shortcuts::fCreateShellLink(shell, "$(Programs)", "Set default printer to Fax",
                                          "C:\\windows\\notepad.exe", "\"Fax\"", true, "$(Programs)"),
              0);
    ExpectLink(KnownFolder(CSIDL_PROGRAMS) + "\\Set default printer to Fax.lnk");
    DeleteFileA((KnownFolder(CSIDL_PROGRAMS) + "\\Set default printer to Fax.lnk").c_str());

    // No folder name would put a Startup entry into the menu itself.
    EXPECT_EQ(shortcuts::fCreateShellLink(shell, "", "Set default printer to Fax",
                                          "C:\\windows\\notepad.exe", "\"Fax\"", true, "$(Programs)"),
              0);
    EXPECT_EQ(shortcuts::fCreateShellLink(shell, kFolder, "Set default printer to Fax",
                                          "C:\\windows\\notepad.exe", "\"Fax\"", true, "$(AppPath)"),
              0);
    EXPECT_FALSE(Exists(KnownFolder(CSIDL_PROGRAMS) + "\\Set default printer to Fax.lnk"));
    EXPECT_FALSE(Exists(KnownFolder(CSIDL_PROGRAMS) + "\\" + kFolder));
}

TEST_F(Win32ShellTest, StartProgramAndShellExecuteRunTheProgram) {
    ScopedEnvironment mode("QUILLON_CHILD_MODE", "cmdline");
    const std::string started = folder / "started.txt";
    {
        ScopedEnvironment output("QUILLON_CHILD_OUTPUT", started);
        ASSERT_TRUE(shell.StartProgram(ChildPath()));
        EXPECT_TRUE(WaitForFile(started));
    }
    const std::string executed = folder / "executed.txt";
    {
        ScopedEnvironment output("QUILLON_CHILD_OUTPUT", executed);
        EXPECT_TRUE(shell.ShellExecute(ChildPath()));
        EXPECT_TRUE(WaitForFile(executed));
    }
    EXPECT_FALSE(shell.StartProgram(folder / "missing.exe"));
    EXPECT_FALSE(shell.ShellExecute(folder / "missing.exe"));
}

}  // namespace
}  // namespace quillon::platform::win32
