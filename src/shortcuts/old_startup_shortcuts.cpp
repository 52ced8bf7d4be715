#include "shortcuts/old_startup_shortcuts.h"

#include <cstddef>

#include "base/text.h"
#include "base/texts.h"
#include "shortcuts/shortcut_names.h"

namespace quillon::shortcuts {
namespace {

constexpr std::string_view kStartupSubfolder = "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
constexpr std::size_t kMaxListedNames = 32767;

std::string StartupFolder(platform::System& system, ShortcutPlace location) {
    const bool allUsers = location == ShortcutPlace::AllStartup;
    return system.EnvironmentVariable(allUsers ? "ALLUSERSPROFILE" : "APPDATA") +
           std::string(kStartupSubfolder);
}

bool EndsWithLinkExtension(std::string_view fileName) {
    return fileName.size() >= 4 && text::ToLower(fileName.substr(fileName.size() - 4)) == ".lnk";
}

void Assign(std::string& out, const std::optional<std::string>& value) {
    if (value) out = *value;
}

// The folders to look in, each once.
std::vector<std::string> StartupFolders(platform::Platform& os, ShortcutPlace location,
                                        std::string_view startupFolderName) {
    std::vector<std::string> folders{StartupFolder(os.system, location)};
    if (startupFolderName.empty()) return folders;
    const bool allUsers = location == ShortcutPlace::AllStartup;
    const std::string programs = os.shell.SpecialFolderPath(
        0, allUsers ? platform::kCsidlCommonPrograms : platform::kCsidlPrograms);
    if (programs.empty()) return folders;
    const std::string entries = programs + "\\" + std::string(startupFolderName);
    if (text::ToLower(entries) != text::ToLower(folders.front())) folders.push_back(entries);
    return folders;
}

std::optional<Notice> RemoveOldShortcutsIn(platform::Platform& os, const std::string& folder) {
    std::vector<std::string> names;
    ListFiles(os.files, folder + "\\*.lnk", names, 0);
    for (std::size_t i = 1; i < names.size(); ++i) {
        const std::string path = folder + "\\" + names[i];
        const auto reading = ReadShortcutFile(os.shell, path);
        if (reading.outcome == platform::ShortcutReading::Outcome::AccessDenied &&
            text::ContainsLower(names[i], "set default printer")) {
            return Notice{std::string(texts::RemovalForAllNeedsAdministrator),
                          std::string(texts::Info), platform::MessageIcon::Information};
        }
        if (IsQuillonTarget(reading.target.value_or(std::string()))) {
            // A shortcut that cannot be deleted (no rights to the all-users
            // folder) stays; the new entry is still made.
            (void)os.files.Delete(path);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Notice> RemoveOldStartupShortcuts(platform::Platform& os, ShortcutPlace location,
                                                std::string_view startupFolderName) {
    for (const auto& folder : StartupFolders(os, location, startupFolderName)) {
        if (auto notice = RemoveOldShortcutsIn(os, folder)) return notice;
    }
    return std::nullopt;
}

platform::ShortcutReading ReadShortcutFile(platform::Shell& shell, std::string_view path) {
    const auto slash = text::FindLast(path, "\\");
    const std::size_t folderLength = slash == std::string_view::npos ? 0 : slash + 1;
    std::string fileName(path.substr(folderLength));
    if (!EndsWithLinkExtension(fileName)) fileName += ".lnk";
    return shell.ReadShortcut(path.substr(0, folderLength), fileName);
}

std::string ReadShortcut(platform::Shell& shell, std::string_view path, std::string& name,
                         std::string& target, std::string& description,
                         std::string& workingFolder, std::string& arguments) {
    using Outcome = platform::ShortcutReading::Outcome;
    const auto reading = ReadShortcutFile(shell, path);
    switch (reading.outcome) {
        case Outcome::NotFound:
            return "Cannot find shortcut file '" + std::string(path) + "'";
        case Outcome::NotALink:
            return "File '" + std::string(path) + "' isn't a shortcut.";
        case Outcome::Read:
        case Outcome::AccessDenied:
        case Outcome::Failed:
            break;
    }
    Assign(name, reading.name);
    Assign(description, reading.description);
    Assign(target, reading.target);
    Assign(workingFolder, reading.workingFolder);
    Assign(arguments, reading.arguments);
    if (reading.outcome == Outcome::Read) return {};
    if (reading.outcome == Outcome::AccessDenied) return "Permission denied";
    return reading.errorText.empty() ? "The shortcut '" + std::string(path) + "' could not be read."
                                     : reading.errorText;
}

void ListFiles(platform::Files& files, std::string_view pattern, std::vector<std::string>& names,
               std::int16_t includeHidden) {
    names.assign(1, std::string{});
    for (auto& name : files.List(pattern, includeHidden != 0)) {
        if (name.empty()) break;
        if (names.size() > kMaxListedNames) break;
        names.push_back(std::move(name));
    }
}

}  // namespace quillon::shortcuts
