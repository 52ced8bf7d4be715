#pragma once

#include <optional>
#include <span>
#include <string>

#include "base/run_state.h"
#include "networks/network_choices.h"
#include "platform/networks.h"

namespace quillon::networks {

// The printer argument for the networks connected now: the user's own
// choice for the first connected network that has one, in the order Windows
// lists the networks; else, for the first connected network that any
// administrator's rule names, the first such rule; else nothing. The result is matched against the
// installed printers as a printer named on the command line is.
std::optional<std::string> ChooseNetworkPrinter(std::span<const platform::Network> connected,
                                                std::span<const NetworkChoice> user,
                                                std::span<const NetworkChoice> administrator);

// The same for this run: the networks connected now, the user's table and
// the administrator's rules as stored (the user's key's rules before the
// machine's). The printer as stored, with the network whose choice it is.
std::optional<ChosenPrinter> NetworkPrinterArgument(RunState& state);

}  // namespace quillon::networks
