#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/harness.h"
#include "networks/network_choices.h"
#include "networks/network_switch.h"
#include "test_names.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;
using Pair = std::pair<std::string, std::string>;  // network, printer

platform::Network Adapter(const std::string& name, std::optional<std::uint32_t> cost = std::nullopt) {
    return {"{" + name + "}", name, true, cost, {}};
}
platform::Network Virtual(const std::string& name, std::optional<std::uint32_t> cost = std::nullopt) {
    return {"{" + name + "}", name, false, cost, {}};
}

struct Rule {
    std::string label;
    std::vector<platform::Network> connected;  // in Windows' order
    std::vector<Pair> user;
    std::vector<Pair> machine;  // the administrator's
    std::optional<Pair> last;   // the last switch, before the run
    std::string commandLine;
    std::optional<int> exitCode;  // nothing: the run waits in its window
    std::string printer;          // the default after the run; Fax was set by hand before it
    std::optional<Pair> recorded;  // the last switch after the run
    std::uint32_t windowsVersion = 10;
};

class NetworkRule : public ::testing::TestWithParam<Rule> {};

// The last switch as stored.
std::optional<Pair> Switched(const fakes::FakeRegistry& registry) {
    using settings::kSettingsKey;
    const auto network = registry.Get(RegistryRoot::CurrentUser, kSettingsKey, kSwitchedNetworkValue);
    const auto printer = registry.Get(RegistryRoot::CurrentUser, kSettingsKey, kSwitchedPrinterValue);
    if (!network || !printer) return std::nullopt;
    return Pair{network->data, printer->data};
}

// The network that decides, and whether a "/network" run sets its printer
// over a default set by hand.
TEST_P(NetworkRule, SetsThePrinterOfTheDecidingNetworkWhenItChanged) {
    const auto& c = GetParam();
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    for (const char* printer : {"Office Laser", "Home Inkjet", "Fax"}) run.AddPrinter(printer);
    run.SetDefault("Fax,winspool,Ne01:");
    run.networks.connected = c.connected;
    run.system.version.majorVersion = c.windowsVersion;
    for (const auto& [network, printer] : c.user) {
        run.registry.SetSz(RegistryRoot::CurrentUser, kNetworksKey, network, printer);
    }
    for (const auto& [network, printer] : c.machine) {
        run.registry.SetSz(RegistryRoot::LocalMachine, kNetworkRulesKey, network, printer);
    }
    if (c.last) RecordNetworkSwitch(run.registry, {c.last->first, c.last->second, ""});
    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    EXPECT_EQ(run.Device(), c.printer + ",winspool,Ne01:");
    EXPECT_EQ(Switched(run.registry), c.recorded);
}

const std::vector<Pair> kTable = {{"Office", "office laser"}, {"Home", "Home Inkjet"}};
const Pair kHome = {"Home", "Home Inkjet"};
const Pair kOffice = {"Office", "office laser"};

INSTANTIATE_TEST_SUITE_P(
    Networks, NetworkRule,
    ::testing::Values(
        Rule{"none connected", {}, kTable, {}, kHome, "/network /q /nogui", 1, "Fax", kHome},
        Rule{"none connected window", {}, kTable, {}, {}, "/network /q", std::nullopt, "Fax", {}},
        Rule{"one", {Adapter("Home")}, kTable, {}, {}, "/network /q /nogui", 0, "Home Inkjet", kHome},
        Rule{"adapter before virtual", {Virtual("Office", 1), Adapter("home", 50)}, kTable, {}, {},
             "-NETWORK /q", 0, "Home Inkjet", Pair{"home", "Home Inkjet"}},
        Rule{"lower route cost", {Adapter("Office", 100), Adapter("Home", 10)}, kTable, {}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"route costs swapped", {Adapter("Office", 10), Adapter("Home", 100)}, kTable, {}, {},
             "/network /q", 0, "Office Laser", kOffice},
        Rule{"no default route last", {Adapter("Office"), Adapter("Home", 900)}, kTable, {}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"tie by name", {Virtual("Office", 5), Virtual("Home", 5)}, kTable, {}, {}, "/network /q",
             0, "Home Inkjet", kHome},
        Rule{"only networks with a choice", {Adapter("Cafe", 1), Adapter("Home", 5)}, kTable, {}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"user before administrator", {Adapter("Home")}, kTable, {{"Home", "Office Laser"}}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"administrator's rule decides too", {Adapter("Guest-5G", 1), Adapter("Home", 2)}, kTable,
             {{"guest*", "office laser"}}, {}, "/network /q", 0, "Office Laser",
             Pair{"Guest-5G", "office laser"}},
        Rule{"pattern names no other", {Adapter("Guests")}, {}, {{"guest?5g", "office laser"}}, {},
             "/network /q /nogui", 1, "Fax", {}},
        Rule{"unnamed network by its adapter", {Adapter("Ethernet 2")}, {{"Ethernet 2", "Home Inkjet"}},
             {}, {}, "/network /q", 0, "Home Inkjet", Pair{"Ethernet 2", "Home Inkjet"}},
        Rule{"printer no longer installed", {Adapter("Home")}, {{"Home", "Old Plotter"}}, {}, {},
             "/network /q /nogui", 1, "Fax", {}},
        Rule{"name fallback forgets the switch", {Adapter("Cafe")}, kTable, {}, kHome,
             "/network home /q", 0, "Home Inkjet", {}},
        Rule{"choice before name", {Adapter("Office")}, kTable, {}, {}, "/network home /q", 0,
             "Office Laser", kOffice},
        Rule{"without the switch", {Adapter("Office")}, kTable, {}, kHome, "home /q", 0, "Home Inkjet",
             kHome},
        Rule{"same network keeps the default set by hand", {Adapter("Home")}, kTable, {},
             Pair{"home", "HOME INKJET"}, "/network /q /nogui", 0, "Fax", Pair{"home", "HOME INKJET"}},
        Rule{"new printer for the same network", {Adapter("Home")}, kTable, {}, Pair{"Home", "Fax"},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"another network decides", {Adapter("Home")}, kTable, {}, kOffice, "/network /q", 0,
             "Home Inkjet", kHome},
        Rule{"no network list before Vista", {Adapter("Home")}, kTable, {}, {}, "/network /q /nogui", 1,
             "Fax", {}, 5}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

}  // namespace
}  // namespace quillon::networks
