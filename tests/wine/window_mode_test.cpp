#include <shlobj.h>

#include "wine/fixture.h"

namespace quillon::e2e {
namespace {

using Strings = std::vector<std::string>;

TEST_F(QuillonTest, MainWindowListsPrintersSortedWithTheDefaultSelected) {
    SetDefaultDevice("HP LaserJet 4,winspool,LPT1:");
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    HWND list = FindControl(main, "ListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ListEntries(list),
              (Strings{"Fax", "HP DeskJet 500", "HP LaserJet 4", "Plotter on srv"}));
    EXPECT_EQ(ListSelection(list), 2);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == list; }, 30s)) << "the keyboard starts there";
    for (const char* caption : {"&Set as default", "&Create desktop shortcut", "&Add to startup",
                                "A&bout", "&Quit"}) {
        HWND button = FindControl(main, "Button", caption);
        ASSERT_NE(button, nullptr) << caption;
        EXPECT_TRUE(IsEnabled(button)) << caption;
    }
}

// The system's winspool.drv gives way, for quillon.exe only, to one whose
// printer connections lead to a print server that does not answer.
class UnansweringPrintServer : public QuillonTest {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        ASSERT_TRUE(CopyFileA(system_.c_str(), (system_ + ".saved").c_str(), FALSE));
        const std::string standIn = FolderOf(ProgramPath()) + "\\stalled-spooler\\winspool.drv";
        ASSERT_TRUE(CopyFileA(standIn.c_str(), system_.c_str(), FALSE));
        SetWineLibraryPreference("winspool.drv", "native");
    }
    void TearDown() override {
        QuillonTest::TearDown();
        SetWineLibraryPreference({}, nullptr);
        MoveFileExA((system_ + ".saved").c_str(), system_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    const std::string system_ = SpecialFolder(CSIDL_SYSTEM) + "\\winspool.drv";
};

TEST_F(UnansweringPrintServer, MainWindowShowsAtOnceWithTheDefaultSelected) {
    SetDefaultDevice("HP DeskJet 500,winspool,LPT2:");
    auto& program = Start("");
    // The server keeps the program a minute; a busy machine may take many
    // seconds to start it.
    HWND main = program.WaitForWindow("Quillon", 30s);
    ASSERT_NE(main, nullptr) << "the window waited for the print server";
    EXPECT_EQ(ListSelection(FindControl(main, "ListBox")), 1) << "HP DeskJet 500";
}

TEST_F(QuillonTest, ButtonsFollowTheOptions) {
    StoreOptions("2", "1", "2");
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsEnabled(FindControl(main, "Button", "&Create desktop shortcut")));
    EXPECT_TRUE(IsEnabled(FindControl(main, "Button", "&Add to startup")));
}

TEST_F(QuillonTest, SetAsDefaultConfirmsAndWaitsForOk) {
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    HWND list = FindControl(main, "ListBox");
    SendMessageA(list, LB_SETCURSEL, 2, 0);  // HP LaserJet 4
    Press(FindControl(main, "Button", "&Set as default"));
    HWND success = program.WaitForWindow("Success");
    ASSERT_NE(success, nullptr);
    EXPECT_NE(FindControl(success, "Static", "The default printer has been set to HP LaserJet 4."),
              nullptr);
    EXPECT_FALSE(program.WaitForExit(4500ms).has_value()) << "closed without OK";
    Press(FindControl(success, "Button", "&OK"));
    EXPECT_EQ(program.WaitForExit(10s), 0U);
    EXPECT_EQ(DefaultDevice(), "HP LaserJet 4,winspool,LPT1:");
}

TEST_F(QuillonTest, QuitEndsTheRun) {
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    Press(FindControl(main, "Button", "&Quit"));
    EXPECT_EQ(program.WaitForExit(10s), 0U);
}

TEST_F(QuillonTest, NoQuitRefusesToCloseUntilCtrlAltQ) {
    auto& program = Start("/noquit");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsVisible(FindControl(main, "Button", "&Quit")));
    PostClose(main);
    EXPECT_FALSE(program.WaitForExit(1500ms).has_value());
    // Sign-out is refused too (with its reason, which Wine does not keep).
    DWORD_PTR answer = 1;
    EXPECT_NE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000,
                                  &answer), 0);
    EXPECT_EQ(answer, 0U);

    SetForegroundWindow(main);
    SendKeyChord({VK_CONTROL, VK_MENU}, 'Q');
    EXPECT_EQ(program.WaitForExit(10s), 0U);
}

TEST_F(QuillonTest, NoPrintersMeansFifteenSecondsOfRetriesThenDisabledButtons) {
    ClearPrinters();
    const auto start = std::chrono::steady_clock::now();
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon", 40s);
    ASSERT_NE(main, nullptr);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 14s);
    for (const char* caption : {"&Set as default", "&Create desktop shortcut", "&Add to startup"}) {
        EXPECT_FALSE(IsEnabled(FindControl(main, "Button", caption))) << caption;
    }
    EXPECT_TRUE(IsEnabled(FindControl(main, "Button", "A&bout")));
}

TEST_F(QuillonTest, SetupOpensWhenNothingIsStoredAndOkStoresYesThreeTimes) {
    ClearOptions();
    auto& program = Start("");
    HWND setup = program.WaitForWindow("Quillon Setup");
    ASSERT_NE(setup, nullptr);
    int yes = 0;
    // Every descendant, so that the options inside the frames count too.
    EnumChildWindows(
        setup,
        [](HWND child, LPARAM count) {
            if (WindowText(child) == "Yes" && IsChecked(child)) ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&yes));
    EXPECT_EQ(yes, 3);
    Press(FindControl(setup, "Button", "&OK"));
    EXPECT_NE(program.WaitForWindow("Quillon"), nullptr);
    EXPECT_EQ(StoredOption(HKEY_CURRENT_USER, "desktop"), "1");
    EXPECT_EQ(StoredOption(HKEY_CURRENT_USER, "startup"), "1");
    EXPECT_EQ(StoredOption(HKEY_CURRENT_USER, "startupall"), "1");
}

TEST_F(QuillonTest, SetupCancelStoresNothingAndEnds) {
    ClearOptions();
    auto& program = Start("fax");
    HWND setup = program.WaitForWindow("Quillon Setup");
    ASSERT_NE(setup, nullptr);
    Press(FindControl(setup, "Button", "&Cancel"));
    EXPECT_EQ(program.WaitForExit(10s), 0U);
    EXPECT_FALSE(StoredOption(HKEY_CURRENT_USER, "desktop").has_value());
    EXPECT_EQ(DefaultDevice(), "");
}

TEST_F(QuillonTest, MachineOptionsServeUsersWithoutTheirOwn) {
    ClearOptions();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "software\\kvo\\quillon", &key), ERROR_SUCCESS);
    for (const auto* name : {"desktop", "startup"}) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
    }
    RegCloseKey(key);
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr) << "machine options count as stored";
    EXPECT_FALSE(IsEnabled(FindControl(main, "Button", "&Create desktop shortcut")));
    EXPECT_FALSE(IsEnabled(FindControl(main, "Button", "&Add to startup")));
}

}  // namespace
}  // namespace quillon::e2e
