#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "wine/fixture.h"

// The window "Default printer per network" as a user works it. Wine names
// one network after each adapter that is up.
namespace quillon::e2e {
namespace {

constexpr const char* kNetworksKey = "software\\kvo\\quillon\\networks";
constexpr const char* kTaskName = "Quillon network printer (";

std::optional<std::string> UserString(const char* key, const char* name) {
    char data[512] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

// Chooses the entry of the drop-down list as a user would, and lets the
// window hear of it.
void Choose(HWND window, HWND list, const char* entry) {
    const auto index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(entry));
    ASSERT_GE(index, 0) << entry;
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// A printer for a network connected now and for one of the table: OK
// stores both, registers the task and sets the connected network's printer
// as its switch; "Always use the same" removes the task. The network
// namespace test runs it on an adapter named outside ASCII.
TEST_F(QuillonTest, PrinterPerNetworkIsStoredAndSwitchingRegistersItsTask) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kNetworksKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kNetworksKey, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Home", 0, REG_SZ, reinterpret_cast<const BYTE*>("HP DeskJet 500"), 15);
    RegCloseKey(key);
    DeleteFileA(TaskFile(kTaskName).c_str());
    const auto& texts = texts::English();

    for (const bool switching : {true, false}) {
        SCOPED_TRACE(switching ? "change with networks" : "always the same");
        HWND main = Start("").WaitForWindow(texts::ProgramTitle);
        ASSERT_NE(main, nullptr);
        Press(FindControl(main, "Button", texts.PerNetwork));
        HWND window = program_->WaitForWindow(texts.NetworkPrintersCaption);
        ASSERT_NE(window, nullptr) << program_->Describe();
        HWND networks = FindControl(window, "ComboBox");
        HWND printers = FindWindowExA(window, networks, "ComboBox", nullptr);
        ASSERT_NE(printers, nullptr);
        HWND rows = FindControl(window, "ListBox");
        HWND add = FindControl(window, "Button", texts.AddNetworkPrinter);
        Press(FindControl(window, "Button", switching ? texts.ChangeWithNetwork : texts.SameDefault));
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(add) == switching; }, 10s));
        // The network it starts on, connected now; Wine hands the text to
        // another process in its wide form only.
        wchar_t wide[256] = {};
        SendMessageW(networks, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(wide));
        char connected[768] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, connected, sizeof connected, nullptr, nullptr);
        if (switching) {
            ASSERT_GE(SendMessageA(networks, CB_GETCOUNT, 0, 0), 2) << "a connected network and the table's";
            for (HWND list : {networks, printers}) EXPECT_EQ(SendMessageA(list, CB_GETMINVISIBLE, 0, 0), 8);
            Choose(window, printers, "Fax");
            Press(add);
            EXPECT_TRUE(WaitUntil([&] { return ListEntries(rows).size() == 2; }, 10s));
            Choose(window, networks, "Home");
            Choose(window, printers, "HP LaserJet 4");
            Press(add);
            EXPECT_TRUE(WaitUntil([&] { return ListEntries(rows).front() == "Home - HP LaserJet 4"; }, 10s))
                << ::testing::PrintToString(ListEntries(rows));
        }
        Press(FindControl(window, "Button", texts.OK));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 10s));
        EXPECT_EQ(UserString("software\\kvo\\quillon", "network"), switching ? "1" : "2");
        EXPECT_EQ(UserString(kNetworksKey, "Home"), "HP LaserJet 4");
        EXPECT_EQ(!TaskFile(kTaskName).empty(), switching);
        if (switching) {
            EXPECT_EQ(UserString(kNetworksKey, connected), "Fax") << connected;
            // The printer is set, and kept as the switch, after the window has gone.
            const auto switched = [] { return UserString("software\\kvo\\quillon", "lastswitch"); };
            const std::string kept = std::string("\"") + connected + "\" \"Fax\" \"" + connected + "\"";
            EXPECT_TRUE(WaitUntil([&] { return switched() == kept; }, 10s)) << switched().value_or("");
            EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
        }
        program_.reset();
    }
}

}  // namespace
}  // namespace quillon::e2e
