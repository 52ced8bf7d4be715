#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillon::platform {

// A unicast address of one of a network's adapters.
struct IpAddress {
    bool ipv6 = false;
    std::array<std::uint8_t, 16> bytes{};  // in network order; IPv4 in the first four

    friend bool operator==(const IpAddress&, const IpAddress&) = default;
};

// How a network is reached, in the order in which networks decide: a
// printer is where the computer is, and a VPN, a tunnel or a virtual switch
// leads elsewhere.
enum class NetworkReach {
    Physical,  // through a network card of its own (Ethernet, Wi-Fi, mobile broadband)
    Virtual,   // only through a VPN, a tunnel or a virtual switch
    Unknown,   // through no adapter that Windows could name
};

// A network the computer is connected to, as Windows identifies it.
struct Network {
    std::string id;    // Windows' own identity of the network, stable across connections
    std::string name;  // what Windows shows: the Wi-Fi name, the domain, "Network 2"; for a
                       // network Windows gives no name, its adapter's name
    NetworkReach reach = NetworkReach::Unknown;
    // What Windows weighs its default route by (the route's metric plus its
    // interface's), the lowest of its adapters' for each family; nothing
    // when no default route of that family leads through it.
    std::optional<std::uint32_t> ipv4RouteCost;
    std::optional<std::uint32_t> ipv6RouteCost;
    // The unicast addresses of its adapters that are up, which tell one
    // site of a company from another where the network has one name at
    // every site.
    std::vector<IpAddress> addresses;
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
