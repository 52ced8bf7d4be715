#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "base/text.h"
#include "platform/registry.h"

namespace quillon::fakes {

// An in-memory registry: values addressed by root, key path and value name,
// paths and names compared without regard to letter case.
class FakeRegistry : public platform::Registry {
public:
    struct Write {
        platform::RegistryRoot root;
        std::string keyPath;
        std::string valueName;
        std::string text;  // a REG_DWORD's four bytes, lowest first
        std::uint32_t type = platform::kRegSz;
    };

    // Every SetString call in order, including the refused ones.
    std::vector<Write> writes;
    // Roots under which SetString fails, as for a user without rights to
    // the machine-wide key.
    std::set<platform::RegistryRoot> readOnlyRoots;

    void SetRaw(platform::RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                std::uint32_t type, std::string_view bytes) {
        values_[Key(root, keyPath, valueName)] = platform::RegistryValue{type, std::string(bytes)};
        names_[Key(root, keyPath, valueName)] = std::string(valueName);
    }

    // Stores the text with its terminating NUL, as most programs write a
    // REG_SZ.
    void SetSz(platform::RegistryRoot root, std::string_view keyPath, std::string_view valueName,
               std::string_view text) {
        std::string bytes(text);
        bytes += '\0';
        SetRaw(root, keyPath, valueName, platform::kRegSz, bytes);
    }

    std::optional<platform::RegistryValue> Get(platform::RegistryRoot root,
                                               std::string_view keyPath,
                                               std::string_view valueName) const {
        const auto it = values_.find(Key(root, keyPath, valueName));
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }

    void Remove(platform::RegistryRoot root, std::string_view keyPath, std::string_view valueName) {
        values_.erase(Key(root, keyPath, valueName));
        names_.erase(Key(root, keyPath, valueName));
    }

    std::optional<platform::RegistryValue> Query(platform::RegistryRoot root,
                                                 std::string_view keyPath,
                                                 std::string_view valueName) override {
        return Get(root, keyPath, valueName);
    }

    bool SetString(platform::RegistryRoot root, std::string_view keyPath,
                   std::string_view valueName, std::string_view text) override {
        writes.push_back(Write{root, std::string(keyPath), std::string(valueName), std::string(text)});
        if (readOnlyRoots.contains(root)) return false;
        SetRaw(root, keyPath, valueName, platform::kRegSz, text);
        return true;
    }

    bool SetDword(platform::RegistryRoot root, std::string_view keyPath,
                  std::string_view valueName, std::uint32_t value) override {
        const std::string bytes = DwordBytes(value);
        writes.push_back(Write{root, std::string(keyPath), std::string(valueName), bytes,
                               platform::kRegDword});
        if (readOnlyRoots.contains(root)) return false;
        SetRaw(root, keyPath, valueName, platform::kRegDword, bytes);
        return true;
    }

    std::vector<std::pair<std::string, platform::RegistryValue>> Values(
        platform::RegistryRoot root, std::string_view keyPath) override {
        std::vector<std::pair<std::string, platform::RegistryValue>> found;
        const std::string path = text::ToLower(keyPath);
        for (const auto& [key, value] : values_) {
            const auto& [valueRoot, valuePath, valueName] = key;
            if (valueRoot == root && valuePath == path && !valueName.empty()) {
                found.emplace_back(names_.at(key), value);
            }
        }
        return found;
    }

    bool DeleteValue(platform::RegistryRoot root, std::string_view keyPath,
                     std::string_view valueName) override {
        if (readOnlyRoots.contains(root)) return false;
        Remove(root, keyPath, valueName);
        return true;
    }

    static std::string DwordBytes(std::uint32_t value) {
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
        return bytes;
    }

private:
    using ValueKey = std::tuple<platform::RegistryRoot, std::string, std::string>;
    std::map<ValueKey, platform::RegistryValue> values_;
    std::map<ValueKey, std::string> names_;  // each value's name as it was written

    static ValueKey Key(platform::RegistryRoot root, std::string_view keyPath,
                        std::string_view valueName) {
        return {root, text::ToLower(keyPath), text::ToLower(valueName)};
    }
};

}  // namespace quillon::fakes
