#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "networks/network_choices.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;
constexpr auto kUser = RegistryRoot::CurrentUser;

// In name order, whatever order the registry keeps.
std::vector<std::pair<std::string, std::string>> Sorted(const std::vector<NetworkChoice>& choices) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& choice : choices) pairs.emplace_back(choice.network, choice.printer);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// A damaged or foreign value is skipped and the rest kept; names and
// printers of any length or script come back as stored.
TEST(NetworkChoices, SkipsWhatNamesNoPrinterAndRoundTripsTheRest) {
    fakes::FakeRegistry registry;
    const std::vector<NetworkChoice> saved = {
        {"Büro-WLAN 5 GHz", "Drucker Büro"},
        {"東京オフィス", "複合機 3F"},
        {std::string(2000, 'n') + "ß", std::string(5000, 'p') + "я"},
        {"Home", "Home Inkjet"},
    };
    registry.SetSz(kUser, kNetworksKey, "stale", "Old Printer");
    ASSERT_TRUE(SaveNetworkChoices(registry, saved));
    registry.SetRaw(kUser, kNetworksKey, "dword", platform::kRegDword, std::string("\1\0\0\0", 4));
    registry.SetRaw(kUser, kNetworksKey, "expand", platform::kRegExpandSz, "%PRINTER%");
    registry.SetRaw(kUser, kNetworksKey, "blank", platform::kRegSz, std::string(" \0junk", 6));
    registry.SetRaw(kUser, kNetworksKey, "", platform::kRegSz, "Default Value");
    registry.SetRaw(kUser, kNetworksKey, "nul", platform::kRegSz, std::string("Fax\0tail", 8));
    auto expected = saved;
    expected.push_back({"nul", "Fax"});
    EXPECT_EQ(Sorted(LoadNetworkChoices(registry, kUser, kNetworksKey)), Sorted(expected));
    EXPECT_TRUE(LoadNetworkChoices(registry, RegistryRoot::LocalMachine, kNetworksKey).empty());
}

}  // namespace
}  // namespace quillon::networks
