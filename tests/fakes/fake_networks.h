#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/networks.h"

namespace quillon::fakes {

// Networks a test connects and disconnects; listed in the order connected.
class FakeNetworks : public platform::Networks {
public:
    std::vector<platform::Network> connected;
    int queries = 0;  // how often a run asked

    // Through a network card of its own, its default route of IPv4.
    void Connect(std::string_view name, std::optional<std::uint32_t> routeCost = std::nullopt) {
        connected.push_back({"{" + std::string(name) + "}", std::string(name), platform::NetworkReach::Physical,
                             routeCost, std::nullopt, {}});
    }
    void Disconnect(std::string_view name) {
        std::erase_if(connected, [&](const platform::Network& network) { return network.name == name; });
    }

    std::vector<platform::Network> Connected() override {
        ++queries;
        return connected;
    }
};

}  // namespace quillon::fakes
