#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "networks/network_place.h"
#include "test_names.h"

namespace quillon::networks {
namespace {

struct Place {
    std::string label;
    std::string network;
    std::vector<std::string> addresses, user, administrator;  // the user's choices and the rules by name
    std::string decides;                                      // "user NAME", "admin NAME", or "" for none
};

class NetworkPlace : public ::testing::TestWithParam<Place> {};

// Which rule decides for the network, the same whatever order the
// registry lists the rules in.
TEST_P(NetworkPlace, DecidesByTheMostPreciseRule) {
    const auto& c = GetParam();
    platform::Network network{"{n}", c.network, platform::NetworkReach::Physical, 1, std::nullopt, {}};
    for (const auto& address : c.addresses) network.addresses.push_back(ParseAddress(address).value());
    for (const auto& address : network.addresses) EXPECT_EQ(ParseAddress(AddressText(address)), address);
    std::vector<NetworkChoice> user, administrator;
    for (const auto& name : c.user) user.push_back({name, "user " + name});
    for (const auto& name : c.administrator) administrator.push_back({name, "admin " + name});
    for (int order = 0; order < 2; ++order) {
        const NetworkChoice* rule = DecidingRule(network, user, administrator);
        EXPECT_EQ(rule != nullptr ? rule->printer : "", c.decides) << (order ? "reversed" : "as given");
        std::reverse(user.begin(), user.end());
        std::reverse(administrator.begin(), administrator.end());
    }
}

const std::vector<std::string> kOffice = {"10.1.2.3"};

INSTANTIATE_TEST_SUITE_P(
    Rules, NetworkPlace,
    ::testing::Values(
        Place{"outside the range the name", "corp", {"10.9.2.3"}, {}, {"10.1.2.0/24", "CORP"}, "admin CORP"},
        Place{"name and range before a longer range", "Corp", kOffice, {}, {"10.1.2.0/24", "corp 10.0.0.0/8"},
              "admin corp 10.0.0.0/8"},
        Place{"name and range needs the name", "home", kOffice, {"home"}, {"corp 10.0.0.0/8"}, "user home"},
        Place{"longest prefix", "corp", kOffice, {}, {"10.1.0.0/16", "10.1.2.0/24", "10.0.0.0/8"},
              "admin 10.1.2.0/24"},
        Place{"bits after the prefix dropped", "corp", kOffice, {}, {"10.1.2.99/24"}, "admin 10.1.2.99/24"},
        Place{"IPv6 only", "corp", {"2001:db8:1::5"}, {}, {"10.0.0.0/8", "2001:0DB8:0001:0000::/48"},
              "admin 2001:0DB8:0001:0000::/48"},
        Place{"IPv4 before IPv6", "corp", {"2001:db8:1:2::5", "10.1.2.3"}, {},
              {"2001:db8:1:2::/64", "10.0.0.0/8"}, "admin 10.0.0.0/8"},
        Place{"an IPv6 range holds no IPv4 address of its bits", "corp", kOffice, {}, {"a01:203::/32"}, ""},
        Place{"range before the user's choice", "corp", kOffice, {"corp"}, {"10.0.0.0/8"}, "admin 10.0.0.0/8"},
        Place{"exact before pattern", "corp-berlin", {}, {}, {"corp*", "corp-berlin"}, "admin corp-berlin"},
        Place{"most fixed characters", "corp-berlin", {}, {}, {"c*", "*n", "corp-b*", "corp-[a-z]*"},
              "admin corp-b*"},
        Place{"tie by name", "corp", kOffice, {}, {"10.1.2.1/24", "10.1.2.0/24"}, "admin 10.1.2.0/24"},
        Place{"name with blanks and range", "Office Wi-Fi", kOffice, {}, {" office wi-fi  10.1.0.0/16 "},
              "admin  office wi-fi  10.1.0.0/16 "},
        Place{"bad ranges are names no network carries, the others apply", "corp", kOffice, {},
              {"/33", "10.0.0.0/33", "300.1.2.0/24", "10.0.0.0", "10.0.0.0/", "010.0.0.0/8", "corp 10.0.0.0/33",
               "* 10.0.0.0/33", "2001:db8::1::/48", "fe80::1%2/64", "10.0.0.0/+8", "cor?"},
              "admin cor?"}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

}  // namespace
}  // namespace quillon::networks
