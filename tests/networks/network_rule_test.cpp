#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/harness.h"
#include "networks/network_choices.h"
#include "networks/network_place.h"
#include "networks/network_switch.h"
#include "test_names.h"

namespace quillon::networks {
namespace {

using platform::NetworkReach;
using platform::RegistryRoot;
using Pair = std::pair<std::string, std::string>;  // network, printer ("" for none)
using Cost = std::optional<std::uint32_t>;

platform::Network Adapter(const std::string& name, Cost ipv4 = {}, Cost ipv6 = {},
                          NetworkReach reach = NetworkReach::Physical) {
    return {"{" + name + "}", name, reach, ipv4, ipv6, {}};
}
// The network where its adapter has that address.
platform::Network At(platform::Network network, std::string_view address) {
    network.addresses.push_back(*ParseAddress(address));
    return network;
}
platform::Network Virtual(const std::string& name, Cost ipv4 = {}) {
    return Adapter(name, ipv4, {}, NetworkReach::Virtual);
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
    bool optionsStored = true;
    bool lastOfAnEarlierVersion = false;  // kept as earlier versions kept it
    std::string lastRule{};               // the rule that decided the last switch
};

class NetworkRule : public ::testing::TestWithParam<Rule> {};

// The last switch as a run reads it.
std::optional<Pair> Switched(fakes::FakeRegistry& registry) {
    const auto last = LastNetworkSwitch(registry);
    if (!last) return std::nullopt;
    return Pair{last->network, last->printer.value_or("")};
}

// The network that decides, and whether a "/network" run sets its printer
// over a default set by hand.
TEST_P(NetworkRule, SetsThePrinterOfTheDecidingNetworkWhenItChanged) {
    const auto& c = GetParam();
    fakes::Harness run;
    if (c.optionsStored) run.StoreOptions("1", "1", "1");
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
    if (c.last && c.lastOfAnEarlierVersion) {
        run.registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "switchednetwork", c.last->first);
        run.registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "switchedprinter", c.last->second);
    } else if (c.last) {
        RecordNetworkSwitch(run.registry, {c.last->first, c.last->second, c.lastRule});
    }
    // A run stopped while other programs are told of the new default has kept its switch.
    std::optional<Pair> atBroadcast;
    run.profile.whenBroadcast = [&] { atBroadcast = Switched(run.registry); };
    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    EXPECT_EQ(run.Device(), c.printer + ",winspool,Ne01:");
    EXPECT_EQ(Switched(run.registry), c.recorded);
    if (!run.profile.broadcasts.empty()) EXPECT_EQ(atBroadcast, c.recorded);
}

const std::vector<Pair> kTable = {{"Office", "office laser"}, {"Home", "Home Inkjet"}};
const Pair kHome = {"Home", "Home Inkjet"};
const Pair kOffice = {"Office", "office laser"};
// Two sites of "corp", each with its rule, the printer of one name.
const std::vector<Pair> kSites = {{"10.1.0.0/16", "office laser"}, {"corp 10.2.0.0/16", "Office Laser"}};

INSTANTIATE_TEST_SUITE_P(
    Networks, NetworkRule,
    ::testing::Values(
        Rule{"none connected", {}, kTable, {}, kHome, "/network /q /nogui", 1, "Fax", kHome},
        Rule{"none connected window", {}, kTable, {}, {}, "/network /q", std::nullopt, "Fax", {}},
        Rule{"one", {Adapter("Home")}, kTable, {}, {}, "/network /q /nogui", 0, "Home Inkjet", kHome},
        Rule{"adapter without a route before virtual", {Virtual("Office", 1), Adapter("home")}, kTable, {}, {},
             "-NETWORK /q", 0, "Home Inkjet", Pair{"home", "Home Inkjet"}},
        Rule{"no adapter found last", {Adapter("Home", 1, {}, NetworkReach::Unknown), Virtual("Office", 5)},
             kTable, {}, {}, "/network /q", 0, "Office Laser", kOffice},
        Rule{"IPv4 route before IPv6", {Adapter("Home", {}, 1), Adapter("Office", 100)}, kTable, {}, {},
             "/network /q", 0, "Office Laser", kOffice},
        Rule{"lower route cost", {Adapter("Office", 100), Adapter("Home", 10)}, kTable, {}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"route costs swapped", {Adapter("Office", 10), Adapter("Home", 100)}, kTable, {}, {},
             "/network /q", 0, "Office Laser", kOffice},
        Rule{"no default route last", {Adapter("Office"), Adapter("Home", 900)}, kTable, {}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"tie by name", {Virtual("Office", 5), Virtual("Home", 5)}, kTable, {}, {}, "/network /q",
             0, "Home Inkjet", kHome},
        Rule{"route through a network without a choice", {Adapter("Cafe", 1), Adapter("Home", 5)}, kTable, {},
             kHome, "/network /q /nogui", 1, "Fax", Pair{"Cafe", ""}},
        Rule{"a day without a choice counts", {Adapter("Cafe")}, kTable, {}, kOffice, "/network /q /nogui", 1,
             "Fax", Pair{"Cafe", ""}},
        Rule{"user before administrator", {Adapter("Home")}, kTable, {{"Home", "Office Laser"}}, {},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"administrator's rule decides too", {Adapter("Guest-5G", 1), Adapter("Home", 2)}, kTable,
             {{"guest*", "office laser"}}, {}, "/network /q", 0, "Office Laser",
             Pair{"Guest-5G", "office laser"}},
        Rule{"pattern names no other", {Adapter("Guests")}, {}, {{"guest?5g", "office laser"}}, {},
             "/network /q /nogui", 1, "Fax", Pair{"Guests", ""}},
        Rule{"unnamed network by its adapter", {Adapter("Ethernet 2")}, {{"Ethernet 2", "Home Inkjet"}},
             {}, {}, "/network /q", 0, "Home Inkjet", Pair{"Ethernet 2", "Home Inkjet"}},
        Rule{"printer no longer installed", {Adapter("Home")}, {{"Home", "Old Plotter"}}, {}, {},
             "/network /q /nogui", 1, "Fax", Pair{"Home", ""}},
        Rule{"name where the network has no choice", {Adapter("Cafe")}, kTable, {}, kHome,
             "/network home /q", 0, "Home Inkjet", Pair{"Cafe", ""}},
        Rule{.label = "name with no network forgets an earlier version's switch", .user = kTable, .last = kHome,
             .commandLine = "/network home /q", .exitCode = 0, .printer = "Home Inkjet", .lastOfAnEarlierVersion = true},
        Rule{"choice before name", {Adapter("Office")}, kTable, {}, {}, "/network home /q", 0,
             "Office Laser", kOffice},
        Rule{"without the switch", {Adapter("Office")}, kTable, {}, kHome, "home /q", 0, "Home Inkjet",
             kHome},
        Rule{"same network and rule keep the default set by hand", {Adapter("Home")}, kTable, {},
             Pair{"home", "HOME INKJET"}, "/network /q /nogui", 0, "Fax", Pair{"home", "HOME INKJET"}, 10, true,
             false, "HOME"},
        Rule{.label = "same network as an earlier version's switch", .connected = {Adapter("Home")},
             .user = kTable, .last = kHome, .commandLine = "/network /q /nogui", .exitCode = 0, .printer = "Fax",
             .recorded = kHome, .lastOfAnEarlierVersion = true},
        Rule{.label = "another site of one network switches to a printer of the same name",
             .connected = {At(Adapter("corp"), "10.2.0.5")}, .machine = kSites, .last = Pair{"corp", "office laser"},
             .commandLine = "/network /q /nogui", .exitCode = 0, .printer = "Office Laser",
             .recorded = Pair{"corp", "Office Laser"}, .lastRule = "10.1.0.0/16"},
        Rule{"new printer for the same network", {Adapter("Home")}, kTable, {}, Pair{"Home", "Fax"},
             "/network /q", 0, "Home Inkjet", kHome},
        Rule{"another network decides", {Adapter("Home")}, kTable, {}, kOffice, "/network /q", 0,
             "Home Inkjet", kHome},
        Rule{"no network list before Vista", {Adapter("Home")}, kTable, {}, {}, "/network /q /nogui", 1,
             "Fax", {}, 5},
        Rule{.label = "no options stored: no setup window", .connected = {Adapter("Home")}, .user = kTable,
             .commandLine = "/network /q", .exitCode = 0, .printer = "Home Inkjet", .recorded = kHome, .optionsStored = false}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

}  // namespace
}  // namespace quillon::networks
