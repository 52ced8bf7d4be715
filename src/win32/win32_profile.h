#pragma once

#include "platform/profile.h"

namespace quillon::platform::win32 {

// The legacy profile through GetProfileStringA and WriteProfileStringA.
class Win32Profile final : public Profile {
public:
    std::size_t GetString(std::string_view section, std::optional<std::string_view> key,
                          std::string_view defaultValue, std::span<char> buffer) override;
    std::uint32_t WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void BroadcastChange(std::string_view section) override;
};

}  // namespace quillon::platform::win32
