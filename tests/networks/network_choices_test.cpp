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

// A damaged or foreign value is skipped and the rest kept; names and
// printers of any length or script come back as stored, and saving
// replaces the whole table.
TEST(NetworkChoices, SkipWhatNamesNoPrinterAndRoundTripTheRest) {
    fakes::FakeRegistry registry;
    std::vector<NetworkChoice> saved = {{"Büro-WLAN 5 GHz", "Drucker Büro"},
                                        {"東京オフィス", "複合機 3F"},
                                        {std::string(2000, 'n') + "ß", std::string(5000, 'p') + "я"}};
    registry.SetSz(kUser, kNetworksKey, "stale", "Old Printer");
    ASSERT_TRUE(SaveNetworkChoices(registry, saved));
    registry.SetRaw(kUser, kNetworksKey, "dword", platform::kRegDword, std::string("\1\0\0\0", 4));
    registry.SetRaw(kUser, kNetworksKey, "expand", platform::kRegExpandSz, "%PRINTER%");
    registry.SetRaw(kUser, kNetworksKey, "blank", platform::kRegSz, std::string(" \0junk", 6));
    registry.SetRaw(kUser, kNetworksKey, "nul", platform::kRegSz, std::string("Fax\0tail", 8));
    saved.push_back({"nul", "Fax"});
    const auto sorted = [](std::vector<NetworkChoice> choices) {
        std::vector<std::pair<std::string, std::string>> pairs;
        for (auto& choice : choices) pairs.emplace_back(choice.network, choice.printer);
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    };
    EXPECT_EQ(sorted(LoadNetworkChoices(registry, kUser, kNetworksKey)), sorted(saved));
}

}  // namespace
}  // namespace quillon::networks
