#include "shortcuts/shortcut_names.h"

#include "base/text.h"

namespace quillon::shortcuts {
namespace {

constexpr std::string_view kRemovedCharacters = "/\\:*?\"<>|'";
constexpr std::string_view kExecutableFileName = "quillon.exe";

std::string_view AfterLastBackslash(std::string_view path) {
    const auto slash = text::FindLast(path, "\\");
    return slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
}

}  // namespace

std::string CleanShortcutName(std::string_view name) {
    std::string clean;
    clean.reserve(name.size());
    while (!name.empty()) {
        // Whole characters: in a double-byte page a trail byte may look like
        // "\\" or "|".
        const auto character = name.substr(0, text::CharacterLength(name));
        const bool removed = character.size() == 1 &&
                             kRemovedCharacters.find(character[0]) != std::string_view::npos;
        if (!removed) clean += character;
        name.remove_prefix(character.size());
    }
    return clean;
}

std::string StartupFolderName(std::string_view startupPath) {
    return std::string(AfterLastBackslash(startupPath));
}

bool IsQuillonTarget(std::string_view target) {
    const auto slash = text::FindLast(target, "\\");
    const auto fileName = slash == std::string_view::npos ? target : target.substr(slash + 1);
    return text::ToLower(fileName) == kExecutableFileName;
}

ShortcutRequest MakeShortcutRequest(const texts::Texts& texts, std::string_view entryText,
                                    std::string_view printerName,
                                    std::string_view executableFolder,
                                    std::string_view executableName) {
    ShortcutRequest request;
    request.name = texts::Fill(texts.ShortcutName, entryText);
    request.target = std::string(executableFolder) + "\\" + std::string(executableName) + ".exe";
    request.arguments = "\"" + std::string(printerName) + "\"";
    return request;
}

}  // namespace quillon::shortcuts
