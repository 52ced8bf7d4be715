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

// "Default printer per network", opened from the main window of a program
// just started; null when either does not come.
HWND OpenNetworkWindow(Process& program) {
    const auto& texts = texts::English();
    HWND main = program.WaitForWindow(texts::ProgramTitle);
    if (main == nullptr) return nullptr;
    Press(FindControl(main, "Button", texts.PerNetwork));
    return program.WaitForWindow(texts.NetworkPrintersCaption);
}

// A printer for a network connected now and for one of the table: OK
// stores both and registers the task; "Always use the same" removes it.
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
        HWND window = OpenNetworkWindow(Start(""));
        ASSERT_NE(window, nullptr) << program_->Describe();
        HWND networks = FindControl(window, "ComboBox");
        HWND printers = FindWindowExA(window, networks, "ComboBox", nullptr);
        ASSERT_NE(printers, nullptr);
        HWND rows = FindControl(window, "ListBox");
        HWND add = FindControl(window, "Button", texts.AddNetworkPrinter);
        Press(FindControl(window, "Button", switching ? texts.ChangeWithNetwork : texts.SameDefault));
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(add) == switching; }, 10s));
        if (switching) {
            ASSERT_GE(SendMessageA(networks, CB_GETCOUNT, 0, 0), 2) << "a connected network and the table's";
            Choose(window, printers, "Fax");  // for the network it starts on, connected now
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
        program_.reset();
    }
}

// Run only by network_namespace_test.sh, where the one adapter up is named
// "café0": its name goes through the window into the table, and the choice
// counts as the network's switch.
class NetworkNamespace : public QuillonTest {};

TEST_F(NetworkNamespace, AdapterNamedOutsideAsciiIsChosenInTheWindow) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kNetworksKey);
    const auto& texts = texts::English();
    HWND window = OpenNetworkWindow(Start(""));
    ASSERT_NE(window, nullptr) << program_->Describe();
    HWND networks = FindControl(window, "ComboBox");
    HWND printers = FindWindowExA(window, networks, "ComboBox", nullptr);
    HWND add = FindControl(window, "Button", texts.AddNetworkPrinter);
    Press(FindControl(window, "Button", texts.ChangeWithNetwork));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(add); }, 10s));
    Choose(window, networks, "café0");
    Choose(window, printers, "Fax");
    Press(add);
    EXPECT_TRUE(WaitUntil([&] { return ListEntries(FindControl(window, "ListBox")).size() == 1; }, 10s));
    Press(FindControl(window, "Button", texts.OK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 10s));
    EXPECT_EQ(UserString(kNetworksKey, "café0"), "Fax");
    // The printer is set, and the switch kept, after the window has gone.
    EXPECT_TRUE(WaitUntil(
        [] { return UserString("software\\kvo\\quillon", "switchednetwork") == "café0"; }, 10s));
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
}

}  // namespace
}  // namespace quillon::e2e
