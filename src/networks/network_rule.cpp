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

// The first connected network that one of the choices names, with that
// choice's printer.
std::optional<ChosenPrinter> FirstFor(std::span<const platform::Network> connected,
                                      std::span<const NetworkChoice> choices, bool patterns) {
    for (const platform::Network& network : connected) {
        for (const NetworkChoice& choice : choices) {
            if (Names(choice, network, patterns)) return ChosenPrinter{network.name, choice.printer};
        }
    }
    return std::nullopt;
}

std::optional<ChosenPrinter> Choose(std::span<const platform::Network> connected,
                                    std::span<const NetworkChoice> user,
                                    std::span<const NetworkChoice> administrator) {
    if (auto chosen = FirstFor(connected, user, false)) return chosen;
    return FirstFor(connected, administrator, true);
}

}  // namespace

std::optional<std::string> ChooseNetworkPrinter(std::span<const platform::Network> connected,
                                                std::span<const NetworkChoice> user,
                                                std::span<const NetworkChoice> administrator) {
    auto chosen = Choose(connected, user, administrator);
    if (!chosen) return std::nullopt;
    return std::move(chosen->printer);
}

std::optional<ChosenPrinter> NetworkPrinterArgument(RunState& state) {
    const auto connected = state.os.networks.Connected();
    for (const auto& network : connected) state.WriteDiagnostic("network connected: " + network.name);
    if (connected.empty()) return std::nullopt;
    auto& registry = state.os.registry;
    const auto user = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworksKey);
    auto rules = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworkRulesKey);
    const auto machineRules = LoadNetworkChoices(registry, RegistryRoot::LocalMachine, kNetworkRulesKey);
    rules.insert(rules.end(), machineRules.begin(), machineRules.end());
    return Choose(connected, user, rules);
}

}  // namespace quillon::networks
