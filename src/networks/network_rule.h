#pragma once

#include <optional>
#include <span>
#include <string>

#include "base/run_state.h"
#include "networks/network_choices.h"
#include "platform/networks.h"

namespace quillon::networks {

// What a run decides: the network where the computer is, and the printer
// chosen for it as written (a name or, in an administrator's rule, a
// pattern, matched against the installed printers as a printer named on
// the command line is); no printer where that network has no choice.
struct NetworkDecision {
    std::string network;
    std::optional<std::string> printer;
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

// The printer for the network: the user's choice for it, else the first
// administrator's rule that names it.
std::optional<std::string> PrinterFor(const platform::Network& network, std::span<const NetworkChoice> user,
                                      std::span<const NetworkChoice> administrator);

// The two above; nothing when no network is connected.
std::optional<NetworkDecision> DecideNetwork(std::span<const platform::Network> connected,
                                             std::span<const NetworkChoice> user,
                                             std::span<const NetworkChoice> administrator);

// The same for this run: the networks connected now, the user's table and
// the administrator's rules as stored (the user's key's rules before the
// machine's).
std::optional<NetworkDecision> DecideNetwork(RunState& state);

}  // namespace quillon::networks
