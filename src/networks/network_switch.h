#pragma once

#include <optional>
#include <string_view>

#include "base/run_state.h"
#include "networks/network_rule.h"
#include "platform/registry.h"

namespace quillon::networks {

// The last switch, kept per user under the program's key: the network that
// decided and the printer chosen for it then.
inline constexpr std::string_view kSwitchedNetworkValue = "switchednetwork";
inline constexpr std::string_view kSwitchedPrinterValue = "switchedprinter";

// What a "/network" run does about the default printer.
struct NetworkSwitch {
    // The network that decides now; nothing when no connected network has
    // a printer.
    std::optional<NetworkDecision> decision;
    // The last switch, as kept.
    std::optional<NetworkDecision> last;
    // Whether the run sets the decision's printer: only for another
    // network, or another printer for it, than the last switch. A default
    // the user set by hand since stays until then.
    bool changesDefault = false;
};

// The rule above, on its own: names and printers compare without regard
// to case, as the registry and the printer names do.
bool ChangesDefault(const NetworkDecision& decision, const std::optional<NetworkDecision>& last);

// The decision of this "/network" run, logged: the one place where a run
// decides whether to switch.
NetworkSwitch DecideNetworkSwitch(RunState& state);

// Keeps the decision as the last switch once its printer is the default;
// false when it could not be stored.
bool RecordNetworkSwitch(platform::Registry& registry, const NetworkDecision& decision);

// Forgets the last switch once a printer of no network's choice was set,
// so that the next network's printer comes whatever network it is.
bool ForgetNetworkSwitch(platform::Registry& registry);

}  // namespace quillon::networks
