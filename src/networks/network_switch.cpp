#include "networks/network_switch.h"

#include <initializer_list>
#include <vector>

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

// The fields of a switch as kept: each quoted, a blank between them.
std::string Joined(std::initializer_list<std::string_view> fields) {
    std::string kept;
    for (const std::string_view field : fields) {
        kept += kept.empty() ? "\"" : " \"";
        for (const char c : field) kept.append(c == '"' ? 2 : 1, c);
        kept += '"';
    }
    return kept;
}

// The fields of a kept switch; nothing for a text not written as one. No
// code page's double-byte character holds a quote or a blank, so they part
// the fields in every one.
std::optional<std::vector<std::string>> Fields(std::string_view kept) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < kept.size()) {
        if (!fields.empty() && kept[at++] != ' ') return std::nullopt;
        if (at >= kept.size() || kept[at++] != '"') return std::nullopt;
        std::string field;
        for (;; ++at) {
            if (at >= kept.size()) return std::nullopt;
            if (kept[at] == '"' && (at + 1 >= kept.size() || kept[at + 1] != '"')) break;
            if (kept[at] == '"') ++at;
            field += kept[at];
        }
        ++at;
        fields.push_back(std::move(field));
    }
    return fields;
}

// Values of earlier versions, which kept only switches that set a printer.
std::optional<NetworkDecision> EarlierSwitch(platform::Registry& registry) {
    auto network = StoredText(registry, kSwitchedNetworkValue);
    auto printer = StoredText(registry, kSwitchedPrinterValue);
    if (!network || !printer) return std::nullopt;
    return NetworkDecision{std::move(*network), std::move(*printer), ""};
}

bool ForgetEarlierSwitch(platform::Registry& registry) {
    const bool network =
        registry.DeleteValue(RegistryRoot::CurrentUser, settings::kSettingsKey, kSwitchedNetworkValue);
    return registry.DeleteValue(RegistryRoot::CurrentUser, settings::kSettingsKey, kSwitchedPrinterValue) &&
           network;
}

}  // namespace

bool Switches(const NetworkDecision& decision, const std::optional<NetworkDecision>& last) {
    const auto lower = [](const std::optional<std::string>& printer) {
        return printer ? std::optional(text::ToLower(*printer)) : std::nullopt;
    };
    // A switch kept by an earlier version names no rule: its network and
    // printer alone compare, so that an update does not undo a default set
    // by hand.
    const bool sameRule = last && (last->rule.empty() || text::ToLower(last->rule) == text::ToLower(decision.rule));
    return !last || text::ToLower(last->network) != text::ToLower(decision.network) ||
           lower(last->printer) != lower(decision.printer) || !sameRule;
}

NetworkSwitch DecideNetworkSwitch(RunState& state) {
    NetworkSwitch decided{DecideNetwork(state), LastNetworkSwitch(state.os.registry)};
    if (!decided.decision) return decided;
    decided.switches = Switches(*decided.decision, decided.last);
    const auto& printer = decided.decision->printer;
    state.WriteDiagnostic("network deciding: " + decided.decision->network +
                          (printer ? ", rule " + decided.decision->rule + ", printer " + *printer
                                   : ", no printer chosen") +
                          (decided.switches ? "" : ", as at the last switch: the default stays"));
    return decided;
}

std::optional<NetworkDecision> LastNetworkSwitch(platform::Registry& registry) {
    const auto kept = StoredText(registry, kLastSwitchValue);
    if (!kept) return EarlierSwitch(registry);
    const auto fields = Fields(*kept);
    if (!fields || fields->size() < 2) return std::nullopt;
    NetworkDecision last{(*fields)[0], (*fields)[1], fields->size() > 2 ? (*fields)[2] : ""};
    if (last.printer->empty()) last.printer.reset();
    return last;
}

bool RecordNetworkSwitch(platform::Registry& registry, const NetworkDecision& decision) {
    const std::string kept = Joined({decision.network, decision.printer.value_or(""), decision.rule});
    return registry.SetString(RegistryRoot::CurrentUser, settings::kSettingsKey, kLastSwitchValue, kept) &&
           ForgetEarlierSwitch(registry);
}

bool ForgetNetworkSwitch(platform::Registry& registry) {
    const bool earlier = ForgetEarlierSwitch(registry);
    return registry.DeleteValue(RegistryRoot::CurrentUser, settings::kSettingsKey, kLastSwitchValue) && earlier;
}

}  // namespace quillon::networks
