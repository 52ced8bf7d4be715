#pragma once

#include <algorithm>
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

    void Connect(std::string_view name, std::string_view id = {}) {
        connected.push_back({id.empty() ? "{" + std::string(name) + "}" : std::string(id),
                             std::string(name)});
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
