// PLACEHOLDER, removed before the branch is merged: the least of the
// networks layer and of the switching value that the per-network window's
// tests need, until the real bodies arrive with their own branch.
#include "base/text.h"
#include "networks/network_choices.h"
#include "networks/network_rule.h"
#include "networks/network_task.h"
#include "settings/settings_store.h"

namespace quillon {
namespace networks {

std::vector<NetworkChoice> LoadNetworkChoices(platform::Registry& registry, platform::RegistryRoot root,
                                              std::string_view key) {
    std::vector<NetworkChoice> choices;
    for (auto& [name, value] : registry.Values(root, key)) {
        if (value.type != platform::kRegSz) continue;
        std::string printer = value.data.substr(0, value.data.find('\0'));
        if (!printer.empty()) choices.push_back({name, printer});
    }
    return choices;
}

bool SaveNetworkChoices(platform::Registry& registry, std::span<const NetworkChoice> choices) {
    using platform::RegistryRoot;
    bool stored = true;
    for (const auto& [name, value] : registry.Values(RegistryRoot::CurrentUser, kNetworksKey)) {
        stored = registry.DeleteValue(RegistryRoot::CurrentUser, kNetworksKey, name) && stored;
    }
    for (const auto& choice : choices) {
        stored = registry.SetString(RegistryRoot::CurrentUser, kNetworksKey, choice.network, choice.printer) &&
                 stored;
    }
    return stored;
}

std::optional<std::string> ChooseNetworkPrinter(std::span<const platform::Network> connected,
                                                std::span<const NetworkChoice> user,
                                                std::span<const NetworkChoice>) {
    for (const auto& network : connected) {
        for (const auto& choice : user) {
            if (text::ToLower(choice.network) == text::ToLower(network.name)) return choice.printer;
        }
    }
    return std::nullopt;
}

std::optional<std::string> NetworkPrinterArgument(RunState& state) {
    const auto user = LoadNetworkChoices(state.os.registry, platform::RegistryRoot::CurrentUser, kNetworksKey);
    const auto chosen = ChooseNetworkPrinter(state.os.networks.Connected(), user, {});
    if (!chosen) return std::nullopt;
    return text::ToLower(*chosen);
}

std::string NetworkTaskDefinition(std::string_view programPath, std::string_view user) {
    return std::string(programPath) + " " + std::string(user);
}

bool EnsureNetworkTask(RunState& state) {
    auto& system = state.os.system;
    return state.os.scheduler.Register(
        kNetworkTaskName,
        NetworkTaskDefinition(system.ExecutableFolder() + "\\" + system.ExecutableName(),
                              state.os.scheduler.CurrentUser()));
}

bool RemoveNetworkTask(RunState& state) { return state.os.scheduler.Remove(kNetworkTaskName); }

}  // namespace networks

namespace settings {

bool SaveNetworkSwitching(platform::Registry& registry, const Options& options) {
    return registry.SetString(platform::RegistryRoot::CurrentUser, kSettingsKey, "network",
                              std::to_string(options.NetworkSwitching));
}

}  // namespace settings
}  // namespace quillon
