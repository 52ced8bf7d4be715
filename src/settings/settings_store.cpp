#include "settings/settings_store.h"

#include "base/text.h"
#include "settings/setting_value.h"

namespace quillon::settings {
namespace {

using platform::RegistryRoot;

std::int32_t ReadValue(platform::Registry& registry, RegistryRoot root, std::string_view name) {
    return ParseSettingValue(RegGetString(registry, root, kSettingsKey, name, ""));
}

void ReadAll(platform::Registry& registry, RegistryRoot root, Options& options) {
    options.DesktopSetting = ReadValue(registry, root, "desktop");
    options.StartupSetting = ReadValue(registry, root, "startup");
    options.StartupAllSetting = ReadValue(registry, root, "startupall");
    options.UncDisplayMode = ReadValue(registry, root, "uncpath");
}

void WriteValue(platform::Registry& registry, RegistryRoot root, std::string_view name,
                std::int32_t value) {
    RegSetString(registry, root, kSettingsKey, name, FormatSettingValue(value));
}

// A "desktop" text of the user's own is what makes the user's key the
// source of a run's options; without one the machine's key is.
bool UserHasOptions(platform::Registry& registry) {
    return !RegGetString(registry, RegistryRoot::CurrentUser, kSettingsKey, "desktop", "").empty();
}

// Yes or no; any other number is as good as nothing stored.
std::int32_t ReadYesNo(platform::Registry& registry, RegistryRoot root, std::string_view name) {
    const std::int32_t value = ReadValue(registry, root, name);
    return value == kYes || value == kNo ? value : kNotStored;
}

}  // namespace

std::string RegGetString(platform::Registry& registry, RegistryRoot root,
                         std::string_view keyPath, std::string_view valueName,
                         std::string_view defaultText) {
    const auto value = registry.Query(root, keyPath, valueName);
    if (!value || value->type != platform::kRegSz) return std::string(defaultText);
    // Stored with or without its NUL, the text is the same.
    return std::string(text::BeforeNul(value->data));
}

void RegSetString(platform::Registry& registry, RegistryRoot root, std::string_view keyPath,
                  std::string_view valueName, std::string_view text) {
    (void)registry.SetString(root, keyPath, valueName, text);
}

void LoadSettings(platform::Registry& registry, Options& options) {
    ReadAll(registry,
            UserHasOptions(registry) ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine,
            options);
    options.NetworkSwitching = ReadYesNo(registry, RegistryRoot::CurrentUser, "network");
    options.NetworkSwitchingPolicy = ReadYesNo(registry, RegistryRoot::LocalMachine, "networkpolicy");
    if (options.NetworkSwitchingPolicy == kNotStored) {
        options.NetworkSwitchingPolicy = ReadYesNo(registry, RegistryRoot::CurrentUser, "networkpolicy");
    }
}

bool SaveNetworkSwitching(platform::Registry& registry, const Options& options) {
    return registry.SetString(RegistryRoot::CurrentUser, kSettingsKey, "network",
                              FormatSettingValue(options.NetworkSwitching));
}

void SaveUserSettings(platform::Registry& registry, const Options& options) {
    WriteValue(registry, RegistryRoot::CurrentUser, "desktop", options.DesktopSetting);
    WriteValue(registry, RegistryRoot::CurrentUser, "startup", options.StartupSetting);
    WriteValue(registry, RegistryRoot::CurrentUser, "startupall", options.StartupAllSetting);
}

void CopySettingsToMachine(platform::Registry& registry, Options& options) {
    // A user without options of their own ran on the machine's: copying the
    // missing values would write "0" over every machine value and bring the
    // setup window back for every user who relies on them.
    if (!UserHasOptions(registry)) return;
    ReadAll(registry, RegistryRoot::CurrentUser, options);
    WriteValue(registry, RegistryRoot::LocalMachine, "desktop", options.DesktopSetting);
    WriteValue(registry, RegistryRoot::LocalMachine, "startup", options.StartupSetting);
    WriteValue(registry, RegistryRoot::LocalMachine, "startupall", options.StartupAllSetting);
    WriteValue(registry, RegistryRoot::LocalMachine, "uncpath", options.UncDisplayMode);
}

}  // namespace quillon::settings
