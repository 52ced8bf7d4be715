#include "networks/network_rule.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "base/text.h"
#include "networks/network_place.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;

// The order in which networks decide: the lower, the earlier.
auto Rank(const platform::Network& network) {
    return std::tuple(network.reach, !network.ipv4RouteCost, network.ipv4RouteCost.value_or(0),
                      !network.ipv6RouteCost, network.ipv6RouteCost.value_or(0), text::ToLower(network.name));
}

std::string Cost(std::string_view family, const std::optional<std::uint32_t>& cost) {
    return cost ? std::string(", ").append(family).append(" route cost ").append(std::to_string(*cost)) : "";
}

// What a rule by address range is matched against.
std::string Addresses(const platform::Network& network) {
    std::string text;
    for (const auto& address : network.addresses) text += (text.empty() ? ", addresses " : " ") + AddressText(address);
    return text;
}

std::string Describe(const platform::Network& network) {
    using platform::NetworkReach;
    const char* reach = network.reach == NetworkReach::Physical  ? " (adapter"
                        : network.reach == NetworkReach::Virtual ? " (virtual"
                                                                 : " (no adapter found";
    const bool routed = network.ipv4RouteCost || network.ipv6RouteCost;
    return network.name + reach + Cost("IPv4", network.ipv4RouteCost) + Cost("IPv6", network.ipv6RouteCost) +
           (routed ? "" : ", no default route") + Addresses(network) + ")";
}

}  // namespace

const platform::Network* DecidingNetwork(std::span<const platform::Network> connected) {
    const platform::Network* deciding = nullptr;
    for (const platform::Network& network : connected) {
        if (deciding == nullptr || Rank(network) < Rank(*deciding)) deciding = &network;
    }
    return deciding;
}

std::optional<NetworkDecision> DecideNetwork(std::span<const platform::Network> connected,
                                             std::span<const NetworkChoice> user,
                                             std::span<const NetworkChoice> administrator) {
    const platform::Network* deciding = DecidingNetwork(connected);
    if (deciding == nullptr) return std::nullopt;
    const NetworkChoice* rule = DecidingRule(*deciding, user, administrator);
    if (rule == nullptr) return NetworkDecision{deciding->name, std::nullopt, ""};
    return NetworkDecision{deciding->name, rule->printer, rule->network};
}

std::vector<NetworkChoice> LoadAdministratorRules(platform::Registry& registry) {
    auto rules = LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworkRulesKey);
    const auto machineRules = LoadNetworkChoices(registry, RegistryRoot::LocalMachine, kNetworkRulesKey);
    rules.insert(rules.end(), machineRules.begin(), machineRules.end());
    return rules;
}

std::optional<NetworkDecision> DecideNetwork(RunState& state) {
    // Windows before Vista has no list of networks to ask: no network has
    // a choice there, whatever a substitute for the list would answer.
    if (!state.IsWindows6OrLater) return std::nullopt;
    const auto connected = state.os.networks.Connected();
    for (const auto& network : connected) state.WriteDiagnostic("network connected: " + Describe(network));
    if (connected.empty()) return std::nullopt;
    auto& registry = state.os.registry;
    return DecideNetwork(connected, LoadNetworkChoices(registry, RegistryRoot::CurrentUser, kNetworksKey),
                         LoadAdministratorRules(registry));
}

}  // namespace quillon::networks
