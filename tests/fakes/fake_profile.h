#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/profile.h"

namespace quillon::fakes {

// An in-memory profile. Section and key names are compared without regard
// to letter case; keys keep the order in which they were first set, as the
// key list of a real profile does.
class FakeProfile : public platform::Profile {
public:
    // Every WriteString call, stored or not.
    std::vector<std::tuple<std::string, std::string, std::string>> writes;
    std::vector<std::string> broadcasts;
    std::function<void()> whenBroadcast;  // runs as each broadcast is made
    // The buffer size of every key-list read, in call order.
    std::vector<std::size_t> keyListReads;
    bool failWrites = false;  // refused as the registry refuses: ERROR_ACCESS_DENIED
    static constexpr std::uint32_t kAccessDenied = 5;
    // Runs after each key-list read, so a test can change the profile
    // between two reads.
    std::function<void()> afterKeyListRead;
    // How the key list writes a name: as an older system's code page that
    // cannot carry some of its letters would ("?" in their place).
    std::function<std::string(const std::string&)> keyListForm;

    void Set(std::string_view section, std::string_view key, std::string_view value) {
        auto& found = SectionFor(section);
        const auto [it, added] = found.index.try_emplace(text::ToLower(key), found.entries.size());
        if (added) {
            found.entries.emplace_back(std::string(key), std::string(value));
        } else {
            found.entries[it->second].second = std::string(value);
        }
    }

    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        const auto* found = FindSection(section);
        if (found == nullptr) return std::nullopt;
        const auto it = found->index.find(text::ToLower(key));
        if (it == found->index.end()) return std::nullopt;
        return found->entries[it->second].second;
    }

    void Remove(std::string_view section, std::string_view key) {
        auto* found = FindSection(section);
        if (found == nullptr) return;
        const auto it = found->index.find(text::ToLower(key));
        if (it == found->index.end()) return;
        const auto position = it->second;
        found->entries.erase(found->entries.begin() + static_cast<std::ptrdiff_t>(position));
        found->index.erase(it);
        for (auto& [name, index] : found->index) {
            if (index > position) --index;
        }
    }

    std::size_t GetString(std::string_view section, std::optional<std::string_view> key,
                          std::string_view defaultValue, std::span<char> buffer) override {
        if (!key) {
            const auto count = CopyKeyList(section, buffer);
            keyListReads.push_back(buffer.size());
            if (afterKeyListRead) afterKeyListRead();
            return count;
        }
        const auto value = Get(section, *key);
        return CopyValue(value ? std::string_view(*value) : defaultValue, buffer);
    }

    std::uint32_t WriteString(std::string_view section, std::string_view key,
                              std::string_view value) override {
        writes.emplace_back(std::string(section), std::string(key), std::string(value));
        if (failWrites) return kAccessDenied;
        Set(section, key, value);
        return 0;
    }

    void BroadcastChange(std::string_view section) override {
        broadcasts.emplace_back(section);
        if (whenBroadcast) whenBroadcast();
    }

private:
    using Entry = std::pair<std::string, std::string>;
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Lower-cased key name to its place in entries.
        std::map<std::string, std::size_t> index;
    };
    std::vector<Section> sections_;

    static bool SameName(std::string_view a, std::string_view b) {
        return text::ToLower(a) == text::ToLower(b);
    }

    const Section* FindSection(std::string_view name) const {
        for (const auto& section : sections_) {
            if (SameName(section.name, name)) return &section;
        }
        return nullptr;
    }

    Section* FindSection(std::string_view name) {
        return const_cast<Section*>(std::as_const(*this).FindSection(name));
    }

    Section& SectionFor(std::string_view name) {
        if (auto* found = FindSection(name)) return *found;
        sections_.push_back(Section{std::string(name), {}, {}});
        return sections_.back();
    }

    // As Windows does it: names each ended by a NUL and one more NUL after
    // the last; a list that does not fit is cut at size - 2 characters and
    // ended by two NULs, and the call returns size - 2. The rest of the
    // buffer is not touched.
    std::size_t CopyKeyList(std::string_view sectionName, std::span<char> buffer) const {
        std::string list;
        if (const auto* section = FindSection(sectionName)) {
            for (const auto& entry : section->entries) {
                list += keyListForm ? keyListForm(entry.first) : entry.first;
                list += '\0';
            }
        }
        if (buffer.empty()) return 0;
        if (buffer.size() == 1) {
            buffer[0] = '\0';
            return 0;
        }
        if (list.size() + 1 <= buffer.size()) {
            std::copy(list.begin(), list.end(), buffer.begin());
            buffer[list.size()] = '\0';
            return list.size();
        }
        const auto cut = buffer.size() - 2;
        std::copy_n(list.begin(), cut, buffer.begin());
        buffer[cut] = '\0';
        buffer[cut + 1] = '\0';
        return cut;
    }

    static std::size_t CopyValue(std::string_view value, std::span<char> buffer) {
        if (buffer.empty()) return 0;
        const auto count = std::min(value.size(), buffer.size() - 1);
        std::copy_n(value.begin(), count, buffer.begin());
        buffer[count] = '\0';
        return count;
    }
};

}  // namespace quillon::fakes
