#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/run_state.h"
#include "networks/network_rule.h"
#include "platform/registry.h"

namespace quillon::networks {

// The last switch, kept per user under the program's key in one value, so
// that no run can leave half of it: the fields of a decision, each in
// double quotes (a quote within doubled) and separated by a blank, the
// network first, then its printer ("" for none), then the rule that chose
// it. A reader takes the fields it knows and leaves any that follow.
inline constexpr std::string_view kLastSwitchValue = "lastswitch";
// Where earlier versions kept the network and the printer; read only while
// the value above is absent.
inline constexpr std::string_view kSwitchedNetworkValue = "switchednetwork";
inline constexpr std::string_view kSwitchedPrinterValue = "switchedprinter";

// What a "/network" run does about the default printer.
struct NetworkSwitch {
    // Where the computer is and its printer; nothing when no network is
    // connected.
    std::optional<NetworkDecision> decision;
    // The last switch, as kept.
    std::optional<NetworkDecision> last;
    // Whether the run switches: only where the computer has moved (another
    // network, or another rule deciding on it: another site of a network
    // with one name everywhere), or its printer changed, since the last
    // switch. A default the user
    // set by hand since stays until then.
    bool switches = false;
};

// The rule above, on its own: names and printers compare without regard
// to case, as the registry and the printer names do; no printer is another
// printer.
bool Switches(const NetworkDecision& decision, const std::optional<NetworkDecision>& last);

// The decision of this "/network" run, logged: the one place where a run
// decides whether to switch.
NetworkSwitch DecideNetworkSwitch(RunState& state);

// The last switch as kept, in this version's value or an earlier one's.
std::optional<NetworkDecision> LastNetworkSwitch(platform::Registry& registry);

// Keeps the decision as the last switch: for a printer, as it becomes the
// default; false when it could not be stored.
bool RecordNetworkSwitch(platform::Registry& registry, const NetworkDecision& decision);

// Forgets the last switch once a printer of no network's choice was set,
// so that the next network's printer comes whatever network it is.
bool ForgetNetworkSwitch(platform::Registry& registry);

}  // namespace quillon::networks
