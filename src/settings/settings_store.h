#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "base/options.h"

namespace quillon::settings {

// The options live under this path below the current user and, as a copy
// for users who have none, below the local machine.
inline constexpr std::string_view kSettingsKey = "software\\kvo\\quillon";

// The text of a REG_SZ value up to its first NUL; the default text when the
// key or the value is missing or the value has another type.
std::string RegGetString(platform::Registry& registry, platform::RegistryRoot root,
                         std::string_view keyPath, std::string_view valueName,
                         std::string_view defaultText);

// Stores a REG_SZ, creating the key path. Failures are silent: an option
// that cannot be stored is simply asked for again on a later run.
void RegSetString(platform::Registry& registry, platform::RegistryRoot root,
                  std::string_view keyPath, std::string_view valueName, std::string_view text);

// Reads the four options from the user's key, or from the machine's key
// when the user has no "desktop" text. The root is chosen on "desktop"
// alone; a value missing from the chosen key reads as 0.
void LoadSettings(platform::Registry& registry, Options& options);

// Writes "desktop", "startup" and "startupall" to the user's key.
void SaveUserSettings(platform::Registry& registry, const Options& options);

// Reloads all four options from the user's key, dropping what switches
// changed for this run, and writes them to the machine's key. A user key
// without a "desktop" text of its own leaves both the machine's key and
// the run's options as they are.
void CopySettingsToMachine(platform::Registry& registry, Options& options);

}  // namespace quillon::settings
