#pragma once

#include <cstdint>

namespace quillon {

// The values an option holds, as the registry stores them.
inline constexpr std::int32_t kNotStored = 0;
inline constexpr std::int32_t kYes = 1;
inline constexpr std::int32_t kNo = 2;
// UncDisplayMode's values: a network printer shown with or without its server.
inline constexpr std::int32_t kShowServer = 1;
inline constexpr std::int32_t kHideServer = 2;

// The options of a run; each starts as kNotStored.
struct Options {
    std::int32_t DesktopSetting = kNotStored;
    std::int32_t StartupSetting = kNotStored;
    std::int32_t StartupAllSetting = kNotStored;
    std::int32_t UncDisplayMode = kNotStored;
    // The user's choice: kYes, change the default printer when the network
    // changes; kNo, always use the same one.
    std::int32_t NetworkSwitching = kNotStored;
    // The administrator's: kYes, every run makes sure the switching task
    // exists; kNo, the task is removed and the choice withheld.
    std::int32_t NetworkSwitchingPolicy = kNotStored;
};

}  // namespace quillon
