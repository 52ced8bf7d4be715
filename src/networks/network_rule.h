#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/run_state.h"
#include "networks/network_choices.h"
#include "platform/networks.h"

namespace quillon::networks {

// The network whose printer is the default, and that printer as chosen: a
// name or, in an administrator's rule, a pattern, matched against the
// installed printers as a printer named on the command line is. The run
// keeps it (RunState::NetworkPrinter) for what it tells an administrator.
using NetworkDecision = ChosenPrinter;

// Which network decides, among the connected networks that the user's
// table or an administrator's rule gives a printer: one reached through a
// network adapter of its own before a VPN, a tunnel or a virtual switch,
// since a printer is where the computer is; then the one whose default
// route Windows prefers (one without a default route last); then by name.
// Its printer is the user's choice for it, else the first administrator's
// rule that names it. Nothing when no connected network has a printer.
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
