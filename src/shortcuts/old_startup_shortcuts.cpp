#include "shortcuts/old_startup_shortcuts.h"

#include <cstddef>
#include <span>

#include "base/text.h"
#include "base/catalogue.h"
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

// Descriptions and arguments may be longer than a path. A path is at most
// 260 characters, each up to four bytes in UTF-8.
constexpr std::size_t kLongText = 1024;
constexpr std::size_t kPathBytes = std::size_t{260} * 4;

void Fail(ShortcutReading& reading, const platform::ShellFailure& failure) {
    reading.outcome = failure.accessDenied ? ShortcutReading::Outcome::AccessDenied
                                           : ShortcutReading::Outcome::Failed;
    if (!failure.accessDenied) reading.errorText = failure.text;
}

// Reads one text of a link object into a buffer of the given size.
template <typename Getter>
std::optional<std::string> ReadText(std::size_t size, Getter&& getter) {
    std::string buffer(size, '\0');
    if (!getter(std::span<char>(buffer))) return std::nullopt;
    buffer.resize(std::string_view(buffer.c_str()).size());
    return buffer;
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

// Whether a file is named as the program names its shortcuts, in English
// or in any language it speaks: the user may have switched languages since
// the entry was made.
bool HasShortcutName(std::string_view fileName) {
    return text::ContainsLower(fileName, "set default printer") || texts::IsShortcutName(fileName);
}

std::optional<Notice> RemoveOldShortcutsIn(platform::Platform& os, const texts::Texts& texts,
                                           const std::string& folder) {
    std::vector<std::string> names;
    ListFiles(os.files, folder + "\\*.lnk", names, 0);
    for (std::size_t i = 1; i < names.size(); ++i) {
        const std::string path = folder + "\\" + names[i];
        const auto reading = ReadShortcutFile(os.shell, path);
        if (reading.outcome == ShortcutReading::Outcome::AccessDenied &&
            HasShortcutName(names[i])) {
            return Notice{std::string(texts.RemovalForAllNeedsAdministrator),
                          std::string(texts.Info), platform::MessageIcon::Information};
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

std::optional<Notice> RemoveOldStartupShortcuts(platform::Platform& os, const texts::Texts& texts,
                                                ShortcutPlace location,
                                                std::string_view startupFolderName) {
    for (const auto& folder : StartupFolders(os, location, startupFolderName)) {
        if (auto notice = RemoveOldShortcutsIn(os, texts, folder)) return notice;
    }
    return std::nullopt;
}

ShortcutReading ReadShortcutFile(platform::Shell& shell, std::string_view path) {
    using Outcome = ShortcutReading::Outcome;
    ShortcutReading reading;
    const auto slash = text::FindLast(path, "\\");
    const std::size_t folderLength = slash == std::string_view::npos ? 0 : slash + 1;
    std::string fileName(path.substr(folderLength));
    if (!EndsWithLinkExtension(fileName)) fileName += ".lnk";
    const std::string file = std::string(path.substr(0, folderLength)) + fileName;

    platform::ShellFailure failure;
    switch (shell.KindOfFile(file, failure)) {
        case platform::FileKind::Missing:
            reading.outcome = Outcome::NotFound;
            return reading;
        case platform::FileKind::Folder:
            reading.outcome = Outcome::NotALink;
            return reading;
        case platform::FileKind::Failed:
            Fail(reading, failure);
            return reading;
        case platform::FileKind::File:
            break;
    }

    // The shell shows a shortcut by its file name without the extension.
    reading.name = fileName.substr(0, fileName.size() - 4);

    const auto link = shell.CreateShellLink(failure);
    if (!link || !link->Load(file)) {
        Fail(reading, link ? link->LastFailure() : failure);
        return reading;
    }
    reading.description =
        ReadText(kLongText, [&](std::span<char> buffer) { return link->GetDescription(buffer); });
    if (reading.description) {
        reading.target = ReadText(kPathBytes, [&](std::span<char> buffer) {
            return link->GetPath(buffer, platform::kPathUncPriority);
        });
    }
    if (reading.target) {
        reading.workingFolder = ReadText(
            kPathBytes, [&](std::span<char> buffer) { return link->GetWorkingDirectory(buffer); });
    }
    if (reading.workingFolder) {
        reading.arguments =
            ReadText(kLongText, [&](std::span<char> buffer) { return link->GetArguments(buffer); });
    }
    if (!reading.arguments) {
        Fail(reading, link->LastFailure());
        return reading;
    }
    reading.outcome = Outcome::Read;
    return reading;
}

std::string ReadShortcut(platform::Shell& shell, std::string_view path, std::string& name,
                         std::string& target, std::string& description,
                         std::string& workingFolder, std::string& arguments) {
    using Outcome = ShortcutReading::Outcome;
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
