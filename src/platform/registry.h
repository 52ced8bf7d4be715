#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;

// A stored value as the registry returns it: its type and its bytes exactly
// as stored (a string with or without its terminating NUL).
struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;
};

// Named values under key paths below two roots. Abstract so that tests can
// use an in-memory registry; the real one is the Win32 registry.
class Registry {
public:
    virtual ~Registry() = default;

    // Opens the key and reads the value; nothing when the key cannot be
    // opened or the value does not exist.
    virtual std::optional<RegistryValue> Query(RegistryRoot root, std::string_view keyPath,
                                               std::string_view valueName) = 0;

    // Creates the key path with any missing parents and stores the text as
    // a REG_SZ whose length counts the characters without a final NUL.
    // False when the key could not be created or the value not written.
    virtual bool SetString(RegistryRoot root, std::string_view keyPath,
                           std::string_view valueName, std::string_view text) = 0;

    // The same for a REG_DWORD.
    virtual bool SetDword(RegistryRoot root, std::string_view keyPath,
                          std::string_view valueName, std::uint32_t value) = 0;

    // Every named value of the key with its name, in the registry's order;
    // empty when the key cannot be opened. The key's default value is left
    // out, and so is a value whose name or text the program's code page
    // cannot carry.
    virtual std::vector<std::pair<std::string, RegistryValue>> Values(
        RegistryRoot root, std::string_view keyPath) = 0;

    // Deletes the value; true when it is gone, also when there was none.
    virtual bool DeleteValue(RegistryRoot root, std::string_view keyPath,
                             std::string_view valueName) = 0;
};

}  // namespace quillon::platform
