#pragma once

#include "platform/registry.h"

namespace quillon::platform::win32 {

// The Windows registry. Every call opens its key and closes it again.
class Win32Registry final : public Registry {
public:
    std::optional<RegistryValue> Query(RegistryRoot root, std::string_view keyPath,
                                       std::string_view valueName) override;
    bool SetString(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                   std::string_view text) override;
    bool SetDword(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                  std::uint32_t value) override;
    std::vector<std::pair<std::string, RegistryValue>> Values(RegistryRoot root,
                                                              std::string_view keyPath) override;
    bool DeleteValue(RegistryRoot root, std::string_view keyPath,
                     std::string_view valueName) override;
};

}  // namespace quillon::platform::win32
