#pragma once

#include <cstdint>

namespace quillon {

// The four options of a run: 1 = yes, 2 = no, 0 = nothing stored.
struct Options {
    std::int32_t DesktopSetting = 0;
    std::int32_t StartupSetting = 0;
    std::int32_t StartupAllSetting = 0;
    std::int32_t UncDisplayMode = 0;  // 2 hides the server of network printers
};

}  // namespace quillon
