#include "networks/network_choices.h"

#include <algorithm>

#include "base/text.h"

namespace quillon::networks {

std::vector<NetworkChoice> LoadNetworkChoices(platform::Registry& registry,
                                              platform::RegistryRoot root, std::string_view key) {
    std::vector<NetworkChoice> choices;
    for (const auto& [name, value] : registry.Values(root, key)) {
        // Anything else under the key (a number, a list, a value without a
        // name or a printer) was not written as a choice: it names nothing.
        if (value.type != platform::kRegSz) continue;
        const std::string_view printer = text::BeforeNul(value.data);
        if (text::TrimBlanks(name).empty() || text::TrimBlanks(printer).empty()) continue;
        choices.push_back({name, std::string(printer)});
    }
    return choices;
}

bool SaveNetworkChoices(platform::Registry& registry, std::span<const NetworkChoice> choices) {
    using platform::RegistryRoot;
    // Value names are compared without case, as the registry compares them.
    const auto chosen = [&](const std::string& name) {
        const std::string lower = text::ToLower(name);
        return std::any_of(choices.begin(), choices.end(), [&](const NetworkChoice& choice) {
            return text::ToLower(choice.network) == lower;
        });
    };
    bool stored = true;
    for (const auto& [name, value] : registry.Values(RegistryRoot::CurrentUser, kNetworksKey)) {
        if (!chosen(name)) stored &= registry.DeleteValue(RegistryRoot::CurrentUser, kNetworksKey, name);
    }
    for (const NetworkChoice& choice : choices) {
        // An empty name would be the key's default value, which names no network.
        if (choice.network.empty() || choice.printer.empty()) {
            stored = false;
            continue;
        }
        stored &= registry.SetString(RegistryRoot::CurrentUser, kNetworksKey, choice.network,
                                     choice.printer);
    }
    return stored;
}

}  // namespace quillon::networks
