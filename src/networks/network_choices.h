#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace quillon::networks {

// The printer to make the default on one network: the network by the name
// Windows shows for it, the printer by its name or, in an administrator's
// rule, a pattern as on the command line (an administrator's network name
// may hold "?" and "*" too).
struct NetworkChoice {
    std::string network;
    std::string printer;
};

// The user's own table: one REG_SZ value per network, named after the
// network, holding the printer.
inline constexpr std::string_view kNetworksKey = "software\\kvo\\quillon\\networks";
// The administrator's rules, in the same form, under the user's key and the
// machine's (the list the administrative template writes).
inline constexpr std::string_view kNetworkRulesKey = "software\\kvo\\quillon\\networkrules";

// The choices stored under the key, in the registry's order. A value that is
// not a text, or that names no printer, is skipped and the rest kept.
std::vector<NetworkChoice> LoadNetworkChoices(platform::Registry& registry,
                                              platform::RegistryRoot root, std::string_view key);

// Replaces the user's own table with these choices; false when any of it
// could not be stored.
bool SaveNetworkChoices(platform::Registry& registry, std::span<const NetworkChoice> choices);

}  // namespace quillon::networks
