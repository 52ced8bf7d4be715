#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "fakes/fake_files.h"
#include "platform/shell.h"

namespace quillon::fakes {

// What a link file holds.
struct FakeLinkData {
    std::string target{};
    std::string arguments{};
    std::string workingFolder{};
    std::string description{};
    std::string iconFile{};
    int iconIndex = 0;
    int showCommand = 1;
    std::uint16_t hotKey = 0;
};

// The entry of the map whose path is the given one in any case.
template <typename Map>
auto FindPath(Map& map, std::string_view path) {
    return std::find_if(map.begin(), map.end(), [&](const auto& entry) {
        return text::ToLower(entry.first) == text::ToLower(path);
    });
}

// An in-memory shell over the fake folder tree: link files are real files
// of FakeFiles (so listings and deletions see them) whose content lives
// here. Records what was asked of it, and can be told to fail.
class FakeShell : public platform::Shell {
public:
    explicit FakeShell(FakeFiles& files) : files_(files) {}

    std::map<int, std::string> specialFolders{
        {platform::kCsidlDesktop, "C:\\Users\\ann\\Desktop"},
        {platform::kCsidlPrograms,
         "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
        {platform::kCsidlStartup,
         "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
        {platform::kCsidlCommonPrograms,
         "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
    };
    // The owner window of every special-folder lookup, in order.
    std::vector<std::uintptr_t> folderOwners;

    // Every call made on link objects, as "Method" or "Method(value)".
    std::vector<std::string> linkCalls;
    // The link method that fails (by name, e.g. "Save"); empty for none.
    std::string failingLinkCall;
    bool linkObjectUnavailable = false;
    int linkObjectsAlive = 0;


    // Paths asked about by KindOfFile, and forced answers by path (any case).
    std::vector<std::string> readPaths;
    std::map<std::string, platform::FileKind> fileKinds;
    // Per link file (any case): the link method that fails on it, and how.
    struct LinkFailure {
        std::string call;
        platform::ShellFailure failure;
    };
    std::map<std::string, LinkFailure> failingLinkFiles;

    std::vector<std::string> executed;
    bool shellExecuteOpens = true;
    std::vector<std::string> started;
    bool startProgramResult = true;

    // Writes a link file as the shell would.
    void AddLink(std::string_view path, FakeLinkData data) {
        files_.AddFile(path, "L");
        links_[text::ToLower(path)] = std::move(data);
    }

    std::optional<FakeLinkData> Link(std::string_view path) const {
        if (!files_.Content(path)) return std::nullopt;
        const auto it = links_.find(text::ToLower(path));
        if (it == links_.end()) return std::nullopt;
        return it->second;
    }

    std::string SpecialFolderPath(std::uintptr_t ownerWindow, int csidl) override {
        folderOwners.push_back(ownerWindow);
        const auto it = specialFolders.find(csidl);
        return it == specialFolders.end() ? std::string{} : it->second;
    }

    using Shell::CreateShellLink;
    std::unique_ptr<platform::ShellLink> CreateShellLink(platform::ShellFailure&) override {
        linkCalls.emplace_back("Create");
        if (linkObjectUnavailable) return nullptr;
        return std::make_unique<Link_>(*this);
    }

    // The fake folder tree holds files only: every folder is there.
    bool CreateFolder(std::string_view) override { return true; }

    platform::FileKind KindOfFile(std::string_view path,
                                  platform::ShellFailure&) override {
        readPaths.emplace_back(path);
        if (const auto it = FindPath(fileKinds, path); it != fileKinds.end()) return it->second;
        return files_.Exists(path) ? platform::FileKind::File : platform::FileKind::Missing;
    }

    bool ShellExecute(std::string_view target) override {
        executed.emplace_back(target);
        return shellExecuteOpens;
    }

    bool StartProgram(std::string_view path) override {
        started.emplace_back(path);
        return startProgramResult;
    }

private:
    // A link object: collects the Set calls and writes them on Save; Load
    // makes a file's content the one the getters report.
    class Link_ : public platform::ShellLink {
    public:
        explicit Link_(FakeShell& shell) : shell_(shell) { ++shell_.linkObjectsAlive; }
        ~Link_() override { --shell_.linkObjectsAlive; }

        bool SetPath(std::string_view path) override {
            return Call("SetPath", path, [&] { data_.target = std::string(path); });
        }
        bool SetIconLocation(std::string_view file, int index) override {
            return Call("SetIconLocation", std::string(file) + "," + std::to_string(index), [&] {
                data_.iconFile = std::string(file);
                data_.iconIndex = index;
            });
        }
        bool SetShowCmd(int showCommand) override {
            return Call("SetShowCmd", std::to_string(showCommand),
                        [&] { data_.showCommand = showCommand; });
        }
        bool SetHotkey(std::uint16_t hotKey) override {
            return Call("SetHotkey", std::to_string(hotKey), [&] { data_.hotKey = hotKey; });
        }
        bool SetWorkingDirectory(std::string_view folder) override {
            return Call("SetWorkingDirectory", folder,
                        [&] { data_.workingFolder = std::string(folder); });
        }
        bool SetArguments(std::string_view arguments) override {
            return Call("SetArguments", arguments,
                        [&] { data_.arguments = std::string(arguments); });
        }
        bool SetDescription(std::string_view description) override {
            return Call("SetDescription", description,
                        [&] { data_.description = std::string(description); });
        }
        bool Resolve(std::uintptr_t ownerWindow, std::uint32_t flags) override {
            return Call("Resolve", std::to_string(ownerWindow) + "," + std::to_string(flags),
                        [] {});
        }
        bool Save(std::string_view linkFile) override {
            if (!Call("Save", linkFile, [] {})) return false;
            if (!shell_.files_.Append(linkFile, "")) return false;
            shell_.links_[text::ToLower(linkFile)] = data_;
            return true;
        }
        bool Load(std::string_view linkFile) override {
            file_ = std::string(linkFile);
            if (!Call("Load", linkFile, [] {})) return false;
            const auto link = shell_.Link(linkFile);
            if (!link) return false;
            data_ = *link;
            return true;
        }
        bool GetPath(std::span<char> buffer, std::uint32_t flags) override {
            return Call("GetPath", std::to_string(flags), [&] { Fill(buffer, data_.target); });
        }
        bool GetWorkingDirectory(std::span<char> buffer) override {
            return Call("GetWorkingDirectory", {}, [&] { Fill(buffer, data_.workingFolder); });
        }
        bool GetArguments(std::span<char> buffer) override {
            return Call("GetArguments", {}, [&] { Fill(buffer, data_.arguments); });
        }
        bool GetDescription(std::span<char> buffer) override {
            return Call("GetDescription", {}, [&] { Fill(buffer, data_.description); });
        }
        bool GetHotkey(std::uint16_t& hotKey) override {
            return Call("GetHotkey", {}, [&] { hotKey = data_.hotKey; });
        }
        bool GetIconLocation(std::span<char> buffer, int& index) override {
            return Call("GetIconLocation", {}, [&] {
                Fill(buffer, data_.iconFile);
                index = data_.iconIndex;
            });
        }
        bool GetShowCmd(int& showCommand) override {
            return Call("GetShowCmd", {}, [&] { showCommand = data_.showCommand; });
        }
        platform::ShellFailure LastFailure() const override { return last_; }

    private:
        template <typename Effect>
        bool Call(std::string_view method, std::string_view value, Effect&& effect) {
            shell_.linkCalls.push_back(value.empty()
                                           ? std::string(method)
                                           : std::string(method) + "(" + std::string(value) + ")");
            last_ = {};
            if (shell_.failingLinkCall == method) return false;
            const auto it = FindPath(shell_.failingLinkFiles, file_);
            if (it != shell_.failingLinkFiles.end() && it->second.call == method) {
                last_ = it->second.failure;
                return false;
            }
            effect();
            return true;
        }

        // As the system does: the text, cut to the buffer, and one NUL.
        static void Fill(std::span<char> buffer, std::string_view text) {
            if (buffer.empty()) return;
            const auto count = std::min(text.size(), buffer.size() - 1);
            std::copy_n(text.begin(), count, buffer.begin());
            buffer[count] = '\0';
        }

        FakeShell& shell_;
        FakeLinkData data_;
        std::string file_;  // the file loaded last
        platform::ShellFailure last_;
    };


    FakeFiles& files_;
    std::map<std::string, FakeLinkData> links_;
};

}  // namespace quillon::fakes
