#include "printers/default_management.h"

#include <cstdint>

namespace quillon::printers {

bool WindowsManagesDefault(RunState& state) {
    const auto version = state.os.system.Version();
    const bool managingVersion =
        version.platformId == platform::kPlatformWin32Nt &&
        (version.majorVersion > 10 ||
         (version.majorVersion == 10 && version.buildNumber >= kFirstManagingBuild));
    if (!managingVersion) return false;
    const auto mode = state.os.registry.Query(platform::RegistryRoot::CurrentUser, kWindowsKey,
                                              kLegacyDefaultPrinterMode);
    // Windows reads the value as a number; one of another type or size
    // means nothing to it, and management stays on.
    if (!mode || mode->type != platform::kRegDword || mode->data.size() != 4) return true;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(mode->data[i])) << (8 * i);
    }
    return value == 0;
}

bool StopWindowsManagingDefault(RunState& state) {
    return state.os.registry.SetDword(platform::RegistryRoot::CurrentUser, kWindowsKey,
                                      kLegacyDefaultPrinterMode, 1);
}

}  // namespace quillon::printers
