#include "networks/network_rule.h"

#include <algorithm>
#include <tuple>

#include "base/text.h"
#include "networks/network_place.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;

// The order in which networks decide: the lower, the earlier.
auto Rank(const platform::Network& network) {
    return std::tuple(!network.physical, !network.routeCost, network.routeCost.value_or(0),
                      text::ToLower(network.name));
}

// What a rule by address range is matched against.
std::string Addresses(const platform::Network& network) {
    std::string text;
    for (const auto& address : network.addresses) text += (text.empty() ? ", addresses " : " ") + AddressText(address);
    return text;
}

std::string Describe(const platform::Network& network) {
    return network.name + (network.physical ? " (adapter" : " (virtual") +
           (network.routeCost ? ", route cost " + std::to_string(*network.routeCost) : ", no default route") +
           Addresses(network) + ")";
}

}  // namespace

std::optional<NetworkDecision> DecideNetwork(std::span<const platform::Network> connected,
                                             std::span<const NetworkChoice> user,
                                             std::span<const NetworkChoice> administrator) {
    const platform::Network* deciding = nullptr;
    const NetworkChoice* choice = nullptr;
    for (const platform::Network& network : connected) {
        const NetworkChoice* found = DecidingRule(network, user, administrator);
        if (found != nullptr && (deciding == nullptr || Rank(network) < Rank(*deciding))) {
            deciding = &network;
            choice = found;
        }
    }
    if (deciding == nullptr) return std::nullopt;
    return NetworkDecision{deciding->name, choice->printer, choice->network};
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
