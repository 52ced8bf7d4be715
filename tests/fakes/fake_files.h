#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/files.h"

namespace quillon::fakes {

// An in-memory folder tree. Paths are compared without regard to letter
// case, with "/" taken as "\"; files keep the order in which they were
// created, which is the order List reports them in.
class FakeFiles : public platform::Files {
public:
    struct File {
        std::string path;
        std::string content;
        bool hidden = false;
        bool system = false;
    };

    std::vector<File> files;
    // Folders (any case) where Append and Delete fail.
    std::set<std::string> readOnlyFolders;
    // Every path removed by Delete, in order.
    std::vector<std::string> deleted;
    // Short paths' long forms; security that Windows can tell (of no others).
    std::map<std::string, std::string, std::less<>> shortPaths;
    std::map<std::string, platform::FileSecurity, std::less<>> security;

    void AddFile(std::string_view path, std::string_view content = {}, bool hidden = false,
                 bool system = false) {
        if (auto* file = Find(path)) {
            file->content = std::string(content);
            file->hidden = hidden;
            file->system = system;
            return;
        }
        files.push_back(File{std::string(path), std::string(content), hidden, system});
    }

    std::optional<std::string> Content(std::string_view path) const {
        for (const auto& file : files) {
            if (Normal(file.path) == Normal(path)) return file.content;
        }
        return std::nullopt;
    }

    bool Append(std::string_view path, std::string_view bytes) override {
        if (IsReadOnly(path)) return false;
        if (auto* file = Find(path)) {
            file->content += bytes;
        } else {
            files.push_back(File{std::string(path), std::string(bytes)});
        }
        return true;
    }

    bool Exists(std::string_view path) override { return Find(path) != nullptr; }
    std::string LongPath(std::string_view path) override {
        const auto alias = shortPaths.find(path);
        const auto* file = Find(alias == shortPaths.end() ? path : std::string_view(alias->second));
        return file ? file->path : std::string{};
    }
    std::optional<platform::FileSecurity> Security(std::string_view path) override {
        const auto known = security.find(path);
        return known == security.end() ? std::nullopt : std::optional(known->second);
    }

    std::vector<std::string> List(std::string_view pattern, bool includeHidden) override {
        const auto normalPattern = Normal(pattern);
        const auto slash = normalPattern.rfind('\\');
        const std::string folder =
            slash == std::string::npos ? std::string{} : normalPattern.substr(0, slash);
        const std::string namePattern =
            slash == std::string::npos ? normalPattern : normalPattern.substr(slash + 1);
        std::vector<std::string> names;
        for (const auto& file : files) {
            if (!includeHidden && (file.hidden || file.system)) continue;
            const auto normalPath = Normal(file.path);
            if (FolderOf(normalPath) != folder) continue;
            if (!Wildcard(NameOf(normalPath), namePattern)) continue;
            names.emplace_back(NameOf(file.path));
        }
        return names;
    }

    bool Delete(std::string_view path) override {
        if (IsReadOnly(path)) return false;
        const auto normal = Normal(path);
        const auto it = std::find_if(files.begin(), files.end(),
                                     [&](const File& file) { return Normal(file.path) == normal; });
        if (it == files.end()) return false;
        deleted.push_back(it->path);
        files.erase(it);
        return true;
    }

private:
    static std::string Normal(std::string_view path) {
        auto result = text::ToLower(path);
        std::replace(result.begin(), result.end(), '/', '\\');
        return result;
    }

    static std::string_view FolderOf(std::string_view path) {
        const auto slash = path.find_last_of("\\/");
        return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
    }

    static std::string_view NameOf(std::string_view path) {
        const auto slash = path.find_last_of("\\/");
        return slash == std::string_view::npos ? path : path.substr(slash + 1);
    }

    bool IsReadOnly(std::string_view path) const {
        const auto normal = Normal(path);
        const auto folder = FolderOf(normal);
        return std::any_of(readOnlyFolders.begin(), readOnlyFolders.end(),
                           [&](const std::string& readOnly) { return Normal(readOnly) == folder; });
    }

    File* Find(std::string_view path) {
        const auto normal = Normal(path);
        for (auto& file : files) {
            if (Normal(file.path) == normal) return &file;
        }
        return nullptr;
    }

    // "*" any run, "?" any one character; both sides already lower case.
    // Star backtracking keeps it linear in practice and never exponential.
    static bool Wildcard(std::string_view name, std::string_view pattern) {
        std::size_t n = 0;
        std::size_t p = 0;
        std::size_t starP = std::string_view::npos;
        std::size_t starN = 0;
        while (n < name.size()) {
            if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
                ++n;
                ++p;
            } else if (p < pattern.size() && pattern[p] == '*') {
                starP = p++;
                starN = n;
            } else if (starP != std::string_view::npos) {
                p = starP + 1;
                n = ++starN;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == '*') ++p;
        return p == pattern.size();
    }
};

}  // namespace quillon::fakes
