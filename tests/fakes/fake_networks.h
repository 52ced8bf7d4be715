#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "networks/network_place.h"
#include "platform/networks.h"

namespace quillon::fakes {

// Networks a test connects and disconnects; listed in the order connected.
class FakeNetworks : public platform::Networks {
public:
    std::vector<platform::Network> connected;
    int queries = 0;  // how often a run asked

    // Through a network card of its own, its default route of IPv4; its
    // addresses as written ("192.0.2.5", "2001:db8::5").
    void Connect(std::string_view name, std::optional<std::uint32_t> routeCost = std::nullopt,
                 std::initializer_list<std::string_view> addresses = {}) {
        connected.push_back({"{" + std::string(name) + "}", std::string(name), platform::NetworkReach::Physical,
                             routeCost, std::nullopt, {}});
        for (const auto address : addresses) connected.back().addresses.push_back(*networks::ParseAddress(address));
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
