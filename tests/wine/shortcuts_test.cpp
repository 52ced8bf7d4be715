#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "wine/fixture.h"
#include "wine/link_reader.h"

namespace quillon::e2e {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kStartupSubfolder = "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
constexpr const char* kAllUsersInfo =
    "To add to startup for all users, you must run Quillon as Administator!";
// Stand-ins for other programs the user's own shortcuts point at.
constexpr const char* kOtherPrograms = "C:\\quillon-e2e";

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : "";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteLinks(const std::string& folder) {
    for (const auto& name : Links(folder)) DeleteFileA((folder + "\\" + name).c_str());
}

// The show command of a link file, from its fixed header (the 32-bit word
// at offset 0x3C). The lnkinfo of Debian 12 prints 0 for it whatever the
// file holds.
std::optional<std::uint32_t> ShowCommand(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    unsigned char header[0x4C] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    if (header[0] != 0x4C) return std::nullopt;
    return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 |
           static_cast<std::uint32_t>(header[0x3F]) << 24;
}


class ShortcutTest : public QuillonTest {
protected:
    std::string desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    std::string userStartup = SpecialFolder(CSIDL_STARTUP);
    std::string allStartup = SpecialFolder(CSIDL_COMMON_STARTUP);
    // Every desktop file a test may leave; the desktop may be the host
    // user's home folder, so nothing else there is touched.
    Strings desktopFiles{"Set default printer to Fax.lnk",
                         "Set default printer to Plotter on srv.lnk",
                         "Set default printer to .lnk",
                         "Set default printer to 打印机 3楼.lnk"};

    void SetUp() override {
        QuillonTest::SetUp();
        ASSERT_FALSE(desktop.empty());
        ASSERT_FALSE(userStartup.empty());
        ASSERT_FALSE(allStartup.empty());
        RemoveShortcuts();
        CreateDirectoryA(kOtherPrograms, nullptr);
    }

    void TearDown() override {
        QuillonTest::TearDown();
        RemoveShortcuts();
        for (const char* name : {"QUILLON.EXE", "myquillon.exe", "setprinter.exe"}) {
            DeleteFileA((std::string(kOtherPrograms) + "\\" + name).c_str());
        }
        RemoveDirectoryA(kOtherPrograms);
    }

    void RemoveShortcuts() {
        for (const auto& name : desktopFiles) DeleteFileA((desktop + "\\" + name).c_str());
        DeleteLinks(userStartup);
        DeleteLinks(allStartup);
    }

    std::string OtherProgram(const char* name) {
        const std::string path = std::string(kOtherPrograms) + "\\" + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return path;
    }

    HWND OpenMainWindow() {
        HWND main = Start("").WaitForWindow("Quillon");
        EXPECT_NE(main, nullptr);
        return main;
    }

    static void SelectEntry(HWND main, const std::string& entry) {
        HWND list = FindControl(main, "ListBox");
        const auto entries = ListEntries(list);
        const auto it = std::find(entries.begin(), entries.end(), entry);
        ASSERT_NE(it, entries.end()) << entry << " among " << ::testing::PrintToString(entries);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(it - entries.begin()), 0);
    }

    // Waits for a message box, checks its text and dismisses it.
    void Dismiss(const char* title, const char* text) {
        HWND box = program_->WaitForWindow(title);
        ASSERT_NE(box, nullptr) << title << ": " << text << " among "
                                << ::testing::PrintToString(program_->WindowCaptions());
        EXPECT_NE(FindControl(box, "Static", text), nullptr) << text;
        Press(FindControl(box, "Button"));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10s)) << title;
    }

    // Presses "&Add to startup" for the entry and answers the dialog with
    // the option (nullptr: none), "&OK" or "&Cancel", or a close request.
    void AddToStartup(HWND main, const std::string& entry, const char* option, const char* button) {
        SelectEntry(main, entry);
        Press(FindControl(main, "Button", "&Add to startup"));
        HWND dialog = program_->WaitForWindow("Add To Startup");
        ASSERT_NE(dialog, nullptr);
        if (option != nullptr) {
            HWND choice = FindControl(dialog, "Button", option);
            ASSERT_NE(choice, nullptr) << option;
            Press(choice);
            ASSERT_TRUE(WaitUntil([&] { return IsChecked(choice); }, 30s)) << option;
        }
        if (button != nullptr) {
            Press(FindControl(dialog, "Button", button));
        } else {
            PostClose(dialog);
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s));
    }

    // Only the main window is left: no message box, no dialog.
    void ExpectOnlyTheMainWindow() {
        Sleep(1500);
        EXPECT_EQ(program_->WindowCaptions(), Strings{"Quillon"});
    }
};

TEST_F(ShortcutTest, DesktopShortcutRunsTheProgramWithThePrinter) {
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    SelectEntry(main, "Plotter on srv");
    Press(FindControl(main, "Button", "&Create desktop shortcut"));
    Dismiss("Success", "Shortcut created successfully!");

    const std::string link = desktop + "\\Set default printer to Plotter on srv.lnk";
    ASSERT_TRUE(Exists(link));
    const auto info = RunLnkinfo(link);
    ASSERT_TRUE(info) << "lnkinfo (package liblnk-utils) could not be run";
    const std::string exe = ProgramPath();
    EXPECT_EQ(LnkinfoField(*info, "Local path"), exe) << *info;
    EXPECT_EQ(LnkinfoField(*info, "Command line arguments"), "\"Plotter on srv\"") << *info;
    EXPECT_EQ(LnkinfoField(*info, "Description"), "Quillon") << *info;
    EXPECT_EQ(LnkinfoField(*info, "Working directory").value_or(""), "") << *info;
    EXPECT_EQ(LnkinfoField(*info, "Icon location"), exe) << *info;
    EXPECT_EQ(LnkinfoField(*info, "Icon index"), "0") << *info;
    EXPECT_EQ(LnkinfoField(*info, "Hot Key value"), "0") << *info;
    EXPECT_EQ(ShowCommand(link), 5u);
}

// The entry's own characters all go; the fixed part of the name stays.
TEST_F(ShortcutTest, EntryOfRemovedCharactersOnlyKeepsTheFixedName) {
    AddProfilePrinter("/:*?<>|'", "winspool,LPT3:,15,45");
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    SelectEntry(main, "/:*?<>|'");
    Press(FindControl(main, "Button", "&Create desktop shortcut"));
    Dismiss("Success", "Shortcut created successfully!");
    const std::string link = desktop + "\\Set default printer to .lnk";
    ASSERT_TRUE(Exists(link));
    const auto info = RunLnkinfo(link);
    ASSERT_TRUE(info);
    EXPECT_EQ(LnkinfoField(*info, "Command line arguments"), "\"/:*?<>|'\"") << *info;
}

TEST_F(ShortcutTest, StartupFoldersAreTheOnesTheEnvironmentNames) {
    // Wine spells the folder "StartUp"; file names do not care.
    EXPECT_EQ(lstrcmpiA(userStartup.c_str(), (Environment("APPDATA") + kStartupSubfolder).c_str()), 0)
        << userStartup;
    EXPECT_EQ(lstrcmpiA(allStartup.c_str(),
                        (Environment("ALLUSERSPROFILE") + kStartupSubfolder).c_str()),
              0)
        << allStartup;
}

TEST_F(ShortcutTest, CurrentUserStartupEntry) {
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    AddToStartup(main, "Fax", "C&urrent User Only", "&OK");
    Dismiss("Success", "Successfully added to startup!");

    EXPECT_EQ(Links(userStartup), Strings{"Set default printer to Fax.lnk"});
    EXPECT_EQ(Links(allStartup), Strings{});
    const auto info = RunLnkinfo(userStartup + "\\Set default printer to Fax.lnk");
    ASSERT_TRUE(info);
    EXPECT_EQ(LnkinfoField(*info, "Local path"), ProgramPath()) << *info;
    EXPECT_EQ(LnkinfoField(*info, "Command line arguments"), "\"Fax\"") << *info;
    EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, "desktop"), std::nullopt);
}

TEST_F(ShortcutTest, NameOutsideAsciiIsCarriedWholeIntoBothShortcuts) {
    SetWineVersion("win10");
    AddProfilePrinter("打印机 3楼", "winspool,LPT3:,15,45");
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    SelectEntry(main, "打印机 3楼");
    Press(FindControl(main, "Button", "&Create desktop shortcut"));
    Dismiss("Success", "Shortcut created successfully!");
    AddToStartup(main, "打印机 3楼", "C&urrent User Only", "&OK");
    Dismiss("Success", "Successfully added to startup!");

    for (const auto& folder : {desktop, userStartup}) {
        const auto info = RunLnkinfo(folder + "\\Set default printer to 打印机 3楼.lnk");
        ASSERT_TRUE(info) << folder;
        EXPECT_EQ(LnkinfoField(*info, "Command line arguments"), "\"打印机 3楼\"") << *info;
    }
}

// The file system under Wine holds at most 255 bytes of a name, and keeps a
// longer one cut short; the shortcut name of a printer of 90 Chinese
// characters takes 297. Such a shortcut is a failure, never a success.
TEST_F(ShortcutTest, NameTheFileSystemCannotHoldWholeIsAFailure) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "打印机";
    AddProfilePrinter(name, "winspool,LPT3:,15,45");
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    SelectEntry(main, name);
    Press(FindControl(main, "Button", "&Create desktop shortcut"));
    Dismiss("Error", "Error creating shortcut.");
    AddToStartup(main, name, "C&urrent User Only", "&OK");
    Dismiss("Error", "Error adding to startup.");
    for (const auto& folder : {desktop, userStartup}) {
        DeleteFileW(Utf16(folder + "\\Set default printer to " + name + ".lnk").c_str());
    }
}

TEST_F(ShortcutTest, AllUsersEntryOnVersionSixShowsTheInfoAndCopiesTheOptions) {
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    AddToStartup(main, "Plotter on srv", "&All Users", "&OK");
    Dismiss("Info", kAllUsersInfo);
    Dismiss("Success", "Successfully added to startup!");

    EXPECT_EQ(Links(allStartup), Strings{"Set default printer to Plotter on srv.lnk"});
    EXPECT_EQ(Links(userStartup), Strings{});
    const auto info = RunLnkinfo(allStartup + "\\Set default printer to Plotter on srv.lnk");
    ASSERT_TRUE(info);
    EXPECT_EQ(LnkinfoField(*info, "Command line arguments"), "\"Plotter on srv\"") << *info;
    EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, "desktop"), "1");
    EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, "startup"), "1");
    EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, "startupall"), "1");
    EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, "uncpath"), "0");

    // A later entry for the current user replaces the all-users one.
    AddToStartup(main, "Fax", "C&urrent User Only", "&OK");
    Dismiss("Success", "Successfully added to startup!");
    EXPECT_EQ(Links(allStartup), Strings{});
    EXPECT_EQ(Links(userStartup), Strings{"Set default printer to Fax.lnk"});
}

TEST_F(ShortcutTest, AllUsersBelowVersionSixHasNoInfo) {
    SetWineVersion("winxp64");
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    AddToStartup(main, "Fax", "&All Users", "&OK");
    Dismiss("Success", "Successfully added to startup!");
    EXPECT_EQ(Links(allStartup), Strings{"Set default printer to Fax.lnk"});
}

TEST_F(ShortcutTest, AllUsersEntryOnTheMachinesOptionsLeavesThemAsTheyWere) {
    ClearOptions();
    const std::pair<const char*, const char*> machine[] = {
        {"desktop", "1"}, {"startup", "1"}, {"startupall", "1"}, {"uncpath", "2"}};
    for (const auto& [name, text] : machine) SetMachineString("software\\kvo\\quillon", name, text);
    SetWineVersion("winxp64");
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    AddToStartup(main, "Fax", "&All Users", "&OK");
    Dismiss("Success", "Successfully added to startup!");
    for (const auto& [name, text] : machine) EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, name), text);
    EXPECT_EQ(RunToEnd("fax /q"), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
}

TEST_F(ShortcutTest, StartupAllTwoOffersOnlyTheCurrentUser) {
    StoreOptions("1", "1", "2");
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    SelectEntry(main, "Fax");
    Press(FindControl(main, "Button", "&Add to startup"));
    HWND dialog = program_->WaitForWindow("Add To Startup");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsEnabled(FindControl(dialog, "Button", "&All Users")));
    EXPECT_TRUE(IsEnabled(FindControl(dialog, "Button", "C&urrent User Only")));
    EXPECT_NE(FindControl(dialog, "Static", "Add to startup for:"), nullptr);
    Press(FindControl(dialog, "Button", "&OK"));
    Dismiss("Success", "Successfully added to startup!");
    EXPECT_EQ(Links(userStartup), Strings{"Set default printer to Fax.lnk"});
    EXPECT_EQ(Links(allStartup), Strings{});
}

TEST_F(ShortcutTest, CancelOrClosingTheDialogDoesNothing) {
    const std::string old = userStartup + "\\Set default printer to Old.lnk";
    ASSERT_TRUE(WriteLink(old, OtherProgram("QUILLON.EXE")));
    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);

    AddToStartup(main, "Fax", "&All Users", "&Cancel");
    ExpectOnlyTheMainWindow();
    AddToStartup(main, "Fax", "&All Users", nullptr);
    ExpectOnlyTheMainWindow();

    EXPECT_EQ(Links(userStartup), Strings{"Set default printer to Old.lnk"});
    EXPECT_EQ(Links(allStartup), Strings{});
    EXPECT_EQ(StoredOption(HKEY_LOCAL_MACHINE, "desktop"), std::nullopt);
}

TEST_F(ShortcutTest, NewEntryRemovesOnlyTheProgramsOwnOldEntries) {
    ASSERT_TRUE(WriteLink(userStartup + "\\Set default printer to Old.lnk",
                          OtherProgram("QUILLON.EXE")));
    ASSERT_TRUE(WriteLink(userStartup + "\\Mine.lnk", OtherProgram("myquillon.exe")));
    ASSERT_TRUE(WriteLink(userStartup + "\\Set default printer to My Way.lnk",
                          OtherProgram("setprinter.exe")));
    ASSERT_TRUE(WriteLink(allStartup + "\\Printer at logon.lnk", ProgramPath()));

    HWND main = OpenMainWindow();
    ASSERT_NE(main, nullptr);
    AddToStartup(main, "Fax", "C&urrent User Only", "&OK");
    Dismiss("Success", "Successfully added to startup!");

    EXPECT_EQ(Links(userStartup), (Strings{"Mine.lnk", "Set default printer to Fax.lnk",
                                           "Set default printer to My Way.lnk"}));
    EXPECT_EQ(Links(allStartup), Strings{});
}

// The user's Start-menu Programs folder moved elsewhere while it lives, as
// folder redirection does.
class RedirectedPrograms {
public:
    explicit RedirectedPrograms(const std::string& folder) {
        if (RegGetValueA(HKEY_CURRENT_USER, kKey, "Programs", RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                         saved_, &size_) != ERROR_SUCCESS) {
            size_ = 0;
        }
        CreateDirectoryA(folder.c_str(), nullptr);
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Programs", REG_SZ, folder.c_str(),
                        static_cast<DWORD>(folder.size() + 1));
    }
    ~RedirectedPrograms() {
        if (size_ == 0) RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Programs");
        if (size_ != 0) RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Programs", REG_EXPAND_SZ, saved_, size_);
    }

private:
    static constexpr const char* kKey =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    char saved_[MAX_PATH] = {};
    DWORD size_ = MAX_PATH;
};

TEST_F(ShortcutTest, RedirectedStartMenuEntryIsReplacedByTheNextOne) {
    const std::string programs = std::string(kOtherPrograms) + "\\Programs";
    const std::string startup =
        programs + userStartup.substr(userStartup.find_last_of('\\'));
    {
        RedirectedPrograms redirected(programs);
        HWND main = OpenMainWindow();
        ASSERT_NE(main, nullptr);
        AddToStartup(main, "Fax", "C&urrent User Only", "&OK");
        Dismiss("Success", "Successfully added to startup!");
        AddToStartup(main, "HP LaserJet 4", "C&urrent User Only", "&OK");
        Dismiss("Success", "Successfully added to startup!");
    }
    EXPECT_EQ(Links(startup), Strings{"Set default printer to HP LaserJet 4.lnk"});
    DeleteLinks(startup);
    RemoveDirectoryA(startup.c_str());
    RemoveDirectoryA(programs.c_str());
}

// A shortcut is named in the language of the run that made it and runs the
// same program with the same printer in every language; an entry made in
// one language is replaced from another.
TEST_F(ShortcutTest, ShortcutsOfEveryLanguageRunTheSameAndReplaceEachOther) {
    SetWineVersion("win10");
    const auto& german = TranslationOf("de-DE");
    const auto& french = TranslationOf("fr-FR");
    const std::string germanName = texts::Fill(german.ShortcutName, "Fax") + ".lnk";
    desktopFiles.push_back(germanName);
    const auto makeShortcuts = [&](const char* locale, const texts::Texts& x, bool desktop) {
        locale_ = locale;
        HWND main = Start("").WaitForWindow(texts::ProgramTitle);
        ASSERT_NE(main, nullptr) << locale;
        SelectEntry(main, "Fax");
        if (desktop) {
            Press(FindControl(main, "Button", x.CreateDesktopShortcut));
            Dismiss(std::string(x.Success).c_str(), std::string(x.ShortcutCreated).c_str());
        }
        Press(FindControl(main, "Button", x.AddToStartup));
        HWND dialog = program_->WaitForWindow(x.StartupUsersCaption);
        ASSERT_NE(dialog, nullptr) << locale;
        Press(FindControl(dialog, "Button", x.OK));  // the current user's
        Dismiss(std::string(x.Success).c_str(), std::string(x.AddedToStartup).c_str());
        program_.reset();
    };

    makeShortcuts("", texts::English(), true);
    makeShortcuts("de_DE.UTF-8", german, true);
    EXPECT_EQ(Links(userStartup), Strings{germanName});
    const auto english = RunLnkinfo(desktop + "\\Set default printer to Fax.lnk");
    const auto translated = RunLnkinfo(desktop + "\\" + germanName);
    ASSERT_TRUE(english && translated);
    for (const char* field : {"Local path", "Command line arguments"}) {
        EXPECT_EQ(LnkinfoField(*translated, field), LnkinfoField(*english, field)) << *translated;
    }
    EXPECT_EQ(LnkinfoField(*translated, "Local path"), ProgramPath());

    makeShortcuts("fr_FR.UTF-8", french, false);
    EXPECT_EQ(Links(userStartup), Strings{texts::Fill(french.ShortcutName, "Fax") + ".lnk"});
}

// A network printer is listed in the run's language, and its shortcut
// names it in the English form, so that it sets the printer in every
// language; the run's own form is a name as well.
TEST_F(ShortcutTest, NetworkPrinterSpeaksTheRunsLanguageAndItsShortcutSetsItInEvery) {
    const auto& german = TranslationOf("de-DE");
    const std::string shown = texts::Fill(german.PrinterOnServer, "Plotter", "srv");
    const std::string name = texts::Fill(german.ShortcutName, shown) + ".lnk";
    desktopFiles.push_back(name);
    locale_ = "de_DE.UTF-8";
    HWND main = Start("").WaitForWindow(texts::ProgramTitle);
    ASSERT_NE(main, nullptr);
    SelectEntry(main, shown);
    Press(FindControl(main, "Button", german.CreateDesktopShortcut));
    Dismiss(std::string(german.Success).c_str(), std::string(german.ShortcutCreated).c_str());
    program_.reset();
    const auto info = RunLnkinfo(desktop + "\\" + name);
    ASSERT_TRUE(info);
    const std::string arguments = LnkinfoField(*info, "Command line arguments").value_or("");
    EXPECT_EQ(arguments, "\"Plotter on srv\"") << "what an English shortcut writes";
    for (const auto& [locale, printer] : {std::pair<std::string, std::string>{"", arguments},
                                          {"de_DE.UTF-8", arguments},
                                          {"de_DE.UTF-8", "\"" + shown + "\""}}) {
        SetDefaultDevice("");
        locale_ = locale;
        EXPECT_EQ(RunToEnd(printer + " /q"), 0U) << locale << " " << printer;
        EXPECT_EQ(DefaultDevice(), "\\\\srv\\Plotter,winspool,Ne02:") << locale << " " << printer;
    }
}

}  // namespace
}  // namespace quillon::e2e
