#include "networks/network_switch.h"

#include "base/text.h"
#include "settings/settings_store.h"

namespace quillon::networks {
namespace {

using platform::RegistryRoot;

std::optional<std::string> StoredText(platform::Registry& registry, std::string_view name) {
    const auto value = registry.Query(RegistryRoot::CurrentUser, settings::kSettingsKey, name);
    if (!value || value->type != platform::kRegSz) return std::nullopt;
    return std::string(text::BeforeNul(value->data));
}

std::optional<NetworkDecision> LastSwitch(platform::Registry& registry) {
    auto network = StoredText(registry, kSwitchedNetworkValue);
    auto printer = StoredText(registry, kSwitchedPrinterValue);
    if (!network || !printer) return std::nullopt;
    return NetworkDecision{std::move(*network), std::move(*printer), ""};
}

}  // namespace

bool ChangesDefault(const NetworkDecision& decision, const std::optional<NetworkDecision>& last) {
    return !last || text::ToLower(last->network) != text::ToLower(decision.network) ||
           text::ToLower(last->printer) != text::ToLower(decision.printer);
}

NetworkSwitch DecideNetworkSwitch(RunState& state) {
    NetworkSwitch decided{DecideNetwork(state), LastSwitch(state.os.registry)};
    if (!decided.decision) return decided;
    decided.changesDefault = ChangesDefault(*decided.decision, decided.last);
    state.WriteDiagnostic("network deciding: " + decided.decision->network + ", rule " +
                          decided.decision->rule + ", printer " + decided.decision->printer +
                          (decided.changesDefault ? "" : ", as at the last switch: the default stays"));
    return decided;
}

bool RecordNetworkSwitch(platform::Registry& registry, const NetworkDecision& decision) {
    const bool printer = registry.SetString(RegistryRoot::CurrentUser, settings::kSettingsKey,
                                            kSwitchedPrinterValue, decision.printer);
    return registry.SetString(RegistryRoot::CurrentUser, settings::kSettingsKey, kSwitchedNetworkValue,
                              decision.network) &&
           printer;
}

bool ForgetNetworkSwitch(platform::Registry& registry) {
    const bool network =
        registry.DeleteValue(RegistryRoot::CurrentUser, settings::kSettingsKey, kSwitchedNetworkValue);
    return registry.DeleteValue(RegistryRoot::CurrentUser, settings::kSettingsKey, kSwitchedPrinterValue) &&
           network;
}

}  // namespace quillon::networks
