#include "networks/network_rule.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

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

// The order in which networks decide: the lower, the earlier.
auto Rank(const platform::Network& network) {
    return std::tuple(network.reach, !network.ipv4RouteCost, network.ipv4RouteCost.value_or(0),
                      !network.ipv6RouteCost, network.ipv6RouteCost.value_or(0), text::ToLower(network.name));
}

std::string Cost(std::string_view family, const std::optional<std::uint32_t>& cost) {
    return cost ? std::string(", ").append(family).append(" route cost ").append(std::to_string(*cost)) : "";
}

std::string Describe(const platform::Network& network) {
    using platform::NetworkReach;
    const char* reach = network.reach == NetworkReach::Physical  ? " (adapter"
                        : network.reach == NetworkReach::Virtual ? " (virtual"
                                                                 : " (no adapter found";
    const bool routed = network.ipv4RouteCost || network.ipv6RouteCost;
    return network.name + reach + Cost("IPv4", network.ipv4RouteCost) + Cost("IPv6", network.ipv6RouteCost) +
           (routed ? ")" : ", no default route)");
}

}  // namespace

const platform::Network* DecidingNetwork(std::span<const platform::Network> connected) {
    const platform::Network* deciding = nullptr;
    for (const platform::Network& network : connected) {
        if (deciding == nullptr || Rank(network) < Rank(*deciding)) deciding = &network;
    }
    return deciding;
}

std::optional<std::string> PrinterFor(const platform::Network& network, std::span<const NetworkChoice> user,
                                      std::span<const NetworkChoice> administrator) {
    for (const NetworkChoice& choice : user) {
        if (Names(choice, network, false)) return choice.printer;
    }
    for (const NetworkChoice& choice : administrator) {
        if (Names(choice, network, true)) return choice.printer;
    }
    return std::nullopt;
}

std::optional<NetworkDecision> DecideNetwork(std::span<const platform::Network> connected,
                                             std::span<const NetworkChoice> user,
                                             std::span<const NetworkChoice> administrator) {
    const platform::Network* deciding = DecidingNetwork(connected);
    if (deciding == nullptr) return std::nullopt;
    return NetworkDecision{deciding->name, PrinterFor(*deciding, user, administrator)};
}

std::optional<NetworkDecision> DecideNetwork(RunState& state) {
    // Windows before Vista has no list of networks to ask: no network has
    // a choice there, whatever a substitute for the list would answer.
    if (!state.IsWindows6OrLater) return std::nullopt;
    const auto connected = state.os.networks.Connected();
    for (const auto& network : connected) state.WriteDiagnostic("network connected: " + Describe(network));
    if (connected.empty()) return std::nullopt;
    auto& registry = state.os.registry;
    const auto user = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworksKey);
    auto rules = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworkRulesKey);
    const auto machineRules = LoadNetworkChoices(registry, RegistryRoot::LocalMachine, kNetworkRulesKey);
    rules.insert(rules.end(), machineRules.begin(), machineRules.end());
    return DecideNetwork(connected, user, rules);
}

}  // namespace quillon::networks
