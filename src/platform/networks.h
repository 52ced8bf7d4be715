#pragma once

#include <string>
#include <vector>

namespace quillon::platform {

// A network the computer is connected to, as Windows identifies it.
struct Network {
    std::string id;    // Windows' own identity of the network, stable across connections
    std::string name;  // what Windows shows: the Wi-Fi name, the domain, "Network 2"; for a
                       // network Windows gives no name, its adapter's name
};

// The networks connected now. Abstract so that tests can connect and
// disconnect networks at will; the real one asks Windows' list of networks,
// and loads nothing until a run first asks.
class Networks {
public:
    virtual ~Networks() = default;

    // In the order Windows lists them; loopback is not a network. Empty when
    // none is connected or the system cannot tell.
    virtual std::vector<Network> Connected() = 0;
};

}  // namespace quillon::platform
