#include "networks/network_rule.h"

#include "base/pattern.h"
#include "base/text.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;

// A user's choice names its network exactly; an administrator's rule may
// name it by a pattern. Both without regard to case, as the registry keeps
// the names.
bool Names(const NetworkChoice& choice, const platform::Network& network, bool patterns) {
    const std::string name = text::ToLower(network.name);
    const std::string wanted = text::ToLower(choice.network);
    return patterns && IsPattern(wanted) ? MatchesPattern(name, wanted) : name == wanted;
}

const NetworkChoice* FirstFor(std::span<const platform::Network> connected,
                              std::span<const NetworkChoice> choices, bool patterns) {
    for (const platform::Network& network : connected) {
        for (const NetworkChoice& choice : choices) {
            if (Names(choice, network, patterns)) return &choice;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> ChooseNetworkPrinter(std::span<const platform::Network> connected,
                                                std::span<const NetworkChoice> user,
                                                std::span<const NetworkChoice> administrator) {
    const NetworkChoice* choice = FirstFor(connected, user, false);
    if (choice == nullptr) choice = FirstFor(connected, administrator, true);
    if (choice == nullptr) return std::nullopt;
    return choice->printer;
}

std::optional<std::string> NetworkPrinterArgument(RunState& state) {
    const auto connected = state.os.networks.Connected();
    for (const auto& network : connected) state.WriteDiagnostic("network connected: " + network.name);
    if (connected.empty()) return std::nullopt;
    auto& registry = state.os.registry;
    const auto user = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworksKey);
    auto rules = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworkRulesKey);
    const auto machineRules = LoadNetworkChoices(registry, RegistryRoot::LocalMachine, kNetworkRulesKey);
    rules.insert(rules.end(), machineRules.begin(), machineRules.end());
    const auto printer = ChooseNetworkPrinter(connected, user, rules);
    if (!printer) return std::nullopt;
    return text::ToLower(*printer);
}

}  // namespace quillon::networks
