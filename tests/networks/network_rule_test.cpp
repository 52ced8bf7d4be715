#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/harness.h"
#include "networks/network_choices.h"
#include "test_names.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;

struct Rule {
    std::string label;
    std::vector<std::string> connected;                         // in Windows' order
    std::vector<std::pair<std::string, std::string>> user;      // network, printer
    std::vector<std::pair<std::string, std::string>> machine;   // the administrator's
    std::string commandLine;
    std::optional<int> exitCode;  // nothing: the run waits in its window
    std::optional<std::string> printer;
};

class NetworkRule : public ::testing::TestWithParam<Rule> {};

TEST_P(NetworkRule, SetsThePrinterChosenForAConnectedNetwork) {
    const auto& c = GetParam();
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    for (const char* printer : {"Office Laser", "Home Inkjet", "Fax"}) run.AddPrinter(printer);
    for (const auto& name : c.connected) run.networks.Connect(name);
    for (const auto& [network, printer] : c.user) {
        run.registry.SetSz(RegistryRoot::CurrentUser, kNetworksKey, network, printer);
    }
    for (const auto& [network, printer] : c.machine) {
        run.registry.SetSz(RegistryRoot::LocalMachine, kNetworkRulesKey, network, printer);
    }
    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    EXPECT_EQ(run.Device(), c.printer ? std::optional(*c.printer + ",winspool,Ne01:") : std::nullopt);
}

const std::vector<std::pair<std::string, std::string>> kTable = {{"Office", "office laser"},
                                                                  {"Home", "Home Inkjet"}};

INSTANTIATE_TEST_SUITE_P(
    Networks, NetworkRule,
    ::testing::Values(
        Rule{"none connected", {}, kTable, {}, "/network /q /nogui", 1, std::nullopt},
        Rule{"none connected window", {}, kTable, {}, "/network /q", std::nullopt, std::nullopt},
        Rule{"one", {"Home"}, kTable, {}, "/network /q /nogui", 0, "Home Inkjet"},
        Rule{"two with choices, Windows order", {"Office", "Home"}, kTable, {}, "-NETWORK /q", 0,
             "Office Laser"},
        Rule{"first without choice", {"Cafe", "home"}, kTable, {}, "/network /q", 0, "Home Inkjet"},
        Rule{"user before administrator", {"Home"}, kTable, {{"Home", "Fax"}}, "/network /q", 0,
             "Home Inkjet"},
        Rule{"administrator's pattern", {"Guest-5G"}, kTable, {{"guest*", "fax"}}, "/network /q", 0,
             "Fax"},
        Rule{"pattern names no other", {"Guests"}, {}, {{"guest?5g", "fax"}}, "/network /q /nogui",
             1, std::nullopt},
        Rule{"unnamed network by its adapter", {"Ethernet 2"}, {{"Ethernet 2", "Fax"}}, {},
             "/network /q", 0, "Fax"},
        Rule{"printer no longer installed", {"Home"}, {{"Home", "Old Plotter"}}, {},
             "/network /q /nogui", 1, std::nullopt},
        Rule{"name fallback", {"Cafe"}, kTable, {}, "/network fax /q", 0, "Fax"},
        Rule{"choice before name", {"Office"}, kTable, {}, "/network fax /q", 0, "Office Laser"},
        Rule{"without the switch", {"Office"}, kTable, {}, "fax /q", 0, "Fax"}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

}  // namespace
}  // namespace quillon::networks
