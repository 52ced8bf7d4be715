#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/run_state.h"
#include "networks/network_choices.h"
#include "platform/networks.h"

namespace quillon::networks {

// What a run decides: the network where the computer is, and the printer
// chosen for it as written (a name or, in an administrator's rule, a
// pattern, matched against the installed printers as a printer named on
// the command line is); no printer where that network has no choice. The
// rule that chose it makes the place with the network: the
// administrator's rule's name as written (a name, a range, or both), or
// the network's name in the user's table; empty without a printer.
struct NetworkDecision {
    std::string network;
    std::optional<std::string> printer;
    std::string rule;
};

// Where the computer is: the connected network that ranks first, whether
// or not it has a printer, since a printer is where the computer is. One
// reached through a network card of its own before one reached only
// through a VPN, a tunnel or a virtual switch, and one that no adapter
// could be found for last; then the cheaper default route, IPv4 before
// IPv6, so that an IPv6 route that comes and goes does not turn the order
// (one without a default route last); then by name. Null when none is
// connected.
const platform::Network* DecidingNetwork(std::span<const platform::Network> connected);

// The network above with the rule that decides for it (DecidingRule); nothing when no network is connected.
std::optional<NetworkDecision> DecideNetwork(std::span<const platform::Network> connected,
                                             std::span<const NetworkChoice> user,
                                             std::span<const NetworkChoice> administrator);

// The administrator's rules as stored: the user's key's before the
// machine's.
std::vector<NetworkChoice> LoadAdministratorRules(platform::Registry& registry);

// The same for this run: the networks connected now, the user's table and
// the administrator's rules as stored (the user's key's rules before the
// machine's).
std::optional<NetworkDecision> DecideNetwork(RunState& state);

}  // namespace quillon::networks
