#include "ui/network_window.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/harness.h"
#include "networks/network_choices.h"
#include "networks/network_place.h"
#include "networks/network_switch.h"
#include "networks/network_task.h"
#include "ui/main_window.h"

namespace quillon {
namespace {

using platform::RegistryRoot;
using Window = ui::frmNetworkPrinters;

// The main window of a user with two networks connected and one more in the
// table; each test works the per-network window through onModal.
class NetworkWindow : public ::testing::Test {
protected:
    fakes::Harness run;

    void SetUp() override {
        run.StoreOptions("1", "1", "1");
        run.AddPrinter("Fax", "winspool", "FAX:");
        run.AddPrinter("HP LaserJet 4", "winspool", "LPT1:");
        run.AddPrinter("Plotter", "winspool", "LPT2:");
        run.SetDefault("Fax,winspool,FAX:");
        run.networks.Connect("Office WLAN", 25);
        run.networks.Connect("eth0", 35);
        run.registry.SetSz(RegistryRoot::CurrentUser, networks::kNetworksKey, "Home", "Plotter");
    }

    void Open(std::function<void(fakes::FakeWindow&)> script) {
        run.toolkit.onModal["frmNetworkPrinters"] = std::move(script);
        ASSERT_EQ(run.Start(""), std::nullopt);
        run.toolkit.Find("frmQuillon")->Click("cmdPerNetwork");
    }

    std::vector<std::string> Entries(fakes::FakeWindow& window, std::string_view list) {
        std::vector<std::string> entries;
        for (int i = 0; i < window.ListCount(list); ++i) entries.push_back(window.ListText(list, i));
        return entries;
    }

    // A text the user's key holds, as stored.
    std::optional<std::string> Stored(std::string_view key, std::string_view name) {
        const auto value = run.registry.Get(RegistryRoot::CurrentUser, key, name);
        return value ? std::optional(value->data.substr(0, value->data.find('\0'))) : std::nullopt;
    }
};

// Connected networks first, then the table's; the printers start on the
// default; Add adds, then replaces; Remove removes; OK stores all of it,
// registers the task and sets the printer of the network that decides now,
// even where that was the last switch.
TEST_F(NetworkWindow, AddReplaceRemoveThenOkStoresAndSetsTheConnectedNetworksPrinter) {
    networks::RecordNetworkSwitch(run.registry, {"Office WLAN", "HP LaserJet 4", "Office WLAN"});
    Open([&](fakes::FakeWindow& window) {
        EXPECT_EQ(Entries(window, Window::cboNetwork),
                  (std::vector<std::string>{"Office WLAN", "eth0", "Home"}));
        EXPECT_EQ(window.Caption(Window::cboNetwork), "Office WLAN");
        EXPECT_EQ(window.Caption(Window::cboPrinter), "Fax");
        EXPECT_EQ(Entries(window, Window::lstNetworkPrinters), std::vector<std::string>{"Home - Plotter"});
        EXPECT_TRUE(window.IsChecked(Window::optSameDefault));
        EXPECT_FALSE(window.IsVisible(Window::lblPlaceRule)) << "no rule for the place";
        // The table waits for switching, and no user could choose in it.
        EXPECT_NONFATAL_FAILURE(window.Select(Window::cboNetwork, 1), "the control is disabled");

        window.Choose(Window::optChangeWithNetwork);
        window.Select(Window::cboPrinter, 1);
        window.Click(Window::cmdAdd);
        window.Select(Window::cboNetwork, 1);
        window.Select(Window::cboPrinter, 0);
        window.Click(Window::cmdAdd);
        window.Select(Window::cboPrinter, 2);
        window.Click(Window::cmdAdd);  // eth0 again: its printer replaced
        EXPECT_EQ(Entries(window, Window::lstNetworkPrinters),
                  (std::vector<std::string>{"Home - Plotter", "Office WLAN (connected) - HP LaserJet 4",
                                            "eth0 (connected) - Plotter"}));
        window.Select(Window::lstNetworkPrinters, 0);
        window.Click(Window::cmdRemove);
        EXPECT_FALSE(window.IsEnabled(Window::cmdRemove)) << "no row is selected any more";
        window.Click(Window::cmdOK);
    });
    EXPECT_EQ(run.registry.Values(RegistryRoot::CurrentUser, networks::kNetworksKey).size(), 2U);
    EXPECT_EQ(Stored(networks::kNetworksKey, "Office WLAN"), "HP LaserJet 4");
    EXPECT_EQ(Stored(networks::kNetworksKey, "eth0"), "Plotter");
    EXPECT_EQ(Stored(settings::kSettingsKey, "network"), "1");
    EXPECT_TRUE(run.scheduler.Exists(networks::NetworkTaskName(run.scheduler.account)));
    EXPECT_EQ(run.Device(), "HP LaserJet 4,winspool,LPT1:");
    EXPECT_EQ(Stored(settings::kSettingsKey, networks::kLastSwitchValue), R"("Office WLAN" "HP LaserJet 4" "Office WLAN")");
    EXPECT_TRUE(run.toolkit.Find("frmQuillon")->IsShown()) << "the main window stays";

    // Back to one default: the task goes, the table stays for another day.
    run.networks.Disconnect("Office WLAN");
    run.toolkit.onModal["frmNetworkPrinters"] = [&](fakes::FakeWindow& window) {
        EXPECT_TRUE(window.IsChecked(Window::optChangeWithNetwork));
        EXPECT_EQ(window.Caption(Window::cboNetwork), "eth0");
        window.Choose(Window::optSameDefault);
        window.Click(Window::cmdOK);
    };
    run.toolkit.Find("frmQuillon")->Click("cmdPerNetwork");
    EXPECT_EQ(Stored(settings::kSettingsKey, "network"), "2");
    EXPECT_FALSE(run.scheduler.Exists(networks::NetworkTaskName(run.scheduler.account)));
    EXPECT_EQ(Stored(networks::kNetworksKey, "eth0"), "Plotter");
}

// A rule for the place outranks the user's table, and the window says so;
// the user's printer there is set by hand, the place's decision kept.
TEST_F(NetworkWindow, ARuleForThePlaceIsShownAndTheUsersPrinterThereIsSetByHand) {
    run.networks.connected[0].addresses = {*networks::ParseAddress("10.1.2.3")};
    run.registry.SetSz(RegistryRoot::LocalMachine, networks::kNetworkRulesKey, "office* 10.1.0.0/16", "hp laser*");
    Open([&](fakes::FakeWindow& window) {
        EXPECT_EQ(window.Caption(Window::lblPlaceRule),
                  texts::Fill(run.state.Texts.AdministratorPlaceRule, "office* 10.1.0.0/16", "hp laser*"));
        EXPECT_TRUE(window.IsVisible(Window::lblPlaceRule));
        window.Choose(Window::optChangeWithNetwork);
        window.Select(Window::cboPrinter, 2);
        window.Click(Window::cmdAdd);
        window.Click(Window::cmdOK);
    });
    EXPECT_EQ(run.Device(), "Plotter,winspool,LPT2:");
    EXPECT_EQ(Stored(settings::kSettingsKey, networks::kLastSwitchValue),
              R"("Office WLAN" "hp laser*" "office* 10.1.0.0/16")");
}

// Switching on, the task starts the program where it was before it moved:
// opening the window registers it again for this one.
TEST_F(NetworkWindow, OpeningWithSwitchingOnFollowsAMovedProgram) {
    run.registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "network", "1");
    const auto task = networks::NetworkTaskName(run.scheduler.account);
    run.scheduler.tasks[task] = networks::NetworkTaskDefinition("D:\\quillon.exe", run.scheduler.account.sid);
    Open([](fakes::FakeWindow& window) { window.Click(Window::cmdCancel); });
    EXPECT_EQ(run.scheduler.Program(task), "\"C:\\Program Files\\Quillon\\quillon.exe\"");
}

// Nothing is stored by Cancel on the notice of Windows' own management or
// by Cancel; a task the scheduler refuses is told, and the window stays.
TEST_F(NetworkWindow, StoresNothingWhenCancelledAndTellsARefusedTask) {
    run.system.version = {2, 10, 0, 19045};  // Windows manages the default
    const auto change = [](fakes::FakeWindow& window) {
        window.Choose(Window::optChangeWithNetwork);
        window.Click(Window::cmdAdd);
    };
    int questions = 0;
    run.toolkit.onQuestion = [&](const auto&) { return ++questions > 1; };
    Open([&](fakes::FakeWindow& window) {
        change(window);
        window.Click(Window::cmdOK);  // the notice: Cancel
        EXPECT_TRUE(window.IsLoaded());
        window.Click(Window::cmdCancel);
    });
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(Stored(settings::kSettingsKey, "network"), std::nullopt);
    EXPECT_EQ(run.registry.Values(RegistryRoot::CurrentUser, networks::kNetworksKey).size(), 1U);
    EXPECT_FALSE(run.registry.Get(RegistryRoot::CurrentUser,
                                  "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                                  "LegacyDefaultPrinterMode"));

    run.scheduler.refuses = true;
    run.toolkit.onModal["frmNetworkPrinters"] = [&](fakes::FakeWindow& window) {
        change(window);
        window.Click(Window::cmdOK);  // the notice: OK, then the refusal
        EXPECT_TRUE(window.IsLoaded());
    };
    run.toolkit.Find("frmQuillon")->Click("cmdPerNetwork");
    EXPECT_EQ(run.toolkit.messages.back().text, run.state.Texts.NetworkPrintersNotStored);
}

// The administrator's choice: off withholds the button; on fixes the
// option on.
TEST_F(NetworkWindow, PolicyWithholdsTheButtonOrFixesTheOptionOn) {
    run.registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "networkpolicy", "2");
    run.state.Options.NetworkSwitchingPolicy = kNo;
    ASSERT_EQ(run.Start(""), std::nullopt);
    EXPECT_FALSE(run.toolkit.Find("frmQuillon")->IsEnabled("cmdPerNetwork"));

    run.state.Options.NetworkSwitchingPolicy = kYes;
    run.toolkit.onModal["frmNetworkPrinters"] = [&](fakes::FakeWindow& window) {
        EXPECT_TRUE(window.IsChecked(Window::optChangeWithNetwork));
        EXPECT_FALSE(window.IsEnabled(Window::optSameDefault));
        EXPECT_FALSE(window.IsEnabled(Window::optChangeWithNetwork));
    };
    run.forms.NetworkPrinters().ShowModal(&run.forms.Quillon());
}

}  // namespace
}  // namespace quillon
