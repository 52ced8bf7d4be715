#include "shortcuts/shell_link.h"

#include <limits>
#include <span>
#include <stdexcept>

#include "base/text.h"

namespace quillon::shortcuts {
namespace {

// The size of every text buffer the link object fills: the system's path
// limit.
constexpr std::size_t kMaxPath = 260;

constexpr std::string_view kPrograms = "$(Programs)";
constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

std::string FolderOf(std::string_view path) {
    const auto slash = text::FindLast(path, "\\");
    return slash == std::string_view::npos ? std::string{} : std::string(path.substr(0, slash));
}

// Each text is read into a fresh blank-filled buffer that the field keeps
// whole, also when the reading fails.
template <typename Read>
bool ReadField(std::string& field, Read&& read) {
    field.assign(kMaxPath, ' ');
    return read(std::span<char>(field));
}

}  // namespace

std::string TrimAtNull(std::string_view text) { return std::string(text::BeforeNul(text)); }

std::int32_t fCreateShellLink(platform::Shell& shell, std::string_view folder,
                              std::string_view linkName, std::string_view target,
                              std::string_view arguments, bool privateFlag,
                              std::string_view parent) {
    if (parent != kPrograms || folder.empty()) return 0;
    std::string path = shell.SpecialFolderPath(
        0, privateFlag ? platform::kCsidlPrograms : platform::kCsidlCommonPrograms);
    if (path.empty()) return 0;
    if (folder != kPrograms) {
        path += "\\" + std::string(folder);
        if (!shell.CreateFolder(path)) return 0;
    }
    const auto link = shell.CreateShellLink();
    const bool written =
        link && link->SetPath(target) && link->SetArguments(arguments) &&
        link->SetWorkingDirectory(FolderOf(target)) && link->SetIconLocation(target, 0) &&
        link->SetShowCmd(kShowNormal) && link->Save(path + "\\" + std::string(linkName) + ".lnk");
    return written ? 1 : 0;
}

void cShellLinkA::GetHotKeyInfo(std::uint8_t& bModifier, std::uint8_t& bKey) const {
    bModifier = static_cast<std::uint8_t>(hotKey_ >> 8);
    bKey = static_cast<std::uint8_t>(hotKey_ & 0xFF);
}

std::int16_t cShellLinkA::MakeHotKey(std::int32_t eKeyMod, std::uint8_t bKey) {
    const std::int64_t shifted = static_cast<std::int64_t>(eKeyMod) * 256;
    if (shifted < std::numeric_limits<std::int32_t>::min() ||
        shifted > std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("MakeHotKey: modifier flags out of range");
    }
    const std::int32_t word = static_cast<std::int32_t>(shifted) | bKey;
    if (word < std::numeric_limits<std::int16_t>::min() ||
        word > std::numeric_limits<std::int16_t>::max()) {
        throw std::overflow_error("MakeHotKey: hot-key word out of range");
    }
    return static_cast<std::int16_t>(word);
}

std::string cShellLinkA::GetSystemFolderPath(std::uintptr_t hwnd, std::int16_t Id) {
    return shell_.SpecialFolderPath(hwnd, Id);
}

bool cShellLinkA::CreateLink(std::string_view sLinkDesc, std::string_view sLinkFile,
                             std::string_view sExeFile, std::string_view sWorkDir,
                             std::string_view sExeArgs, std::int32_t IconIdx,
                             std::int16_t iHotKey, std::int32_t eShow) {
    if (sLinkFile.empty() || sExeFile.empty()) return false;
    const auto link = shell_.CreateShellLink();
    if (!link) return false;
    return link->SetPath(sExeFile) && link->SetIconLocation(sExeFile, IconIdx) &&
           link->SetShowCmd(eShow) && link->SetHotkey(static_cast<std::uint16_t>(iHotKey)) &&
           link->SetWorkingDirectory(sWorkDir) && link->SetArguments(sExeArgs) &&
           link->SetDescription(sLinkDesc) && link->Resolve(0, platform::kResolveUpdate) &&
           link->Save(sLinkFile);
}

bool cShellLinkA::GetLinkInfo(std::string_view sLinkFile) {
    if (sLinkFile.empty()) return false;
    const auto link = shell_.CreateShellLink();
    if (!link || !link->Load(sLinkFile)) return false;
    if (!ReadField(exeName_, [&](std::span<char> buffer) {
            return link->GetPath(buffer, platform::kPathUncPriority);
        })) {
        return false;
    }
    if (!ReadField(workingDir_, [&](std::span<char> b) { return link->GetWorkingDirectory(b); })) {
        return false;
    }
    if (!ReadField(exeArgs_, [&](std::span<char> b) { return link->GetArguments(b); })) {
        return false;
    }
    if (!ReadField(description_, [&](std::span<char> b) { return link->GetDescription(b); })) {
        return false;
    }
    if (!link->GetHotkey(hotKey_)) return false;
    int iconIndex = iconIndex_;
    const bool iconRead =
        ReadField(iconFile_, [&](std::span<char> b) { return link->GetIconLocation(b, iconIndex); });
    iconIndex_ = iconIndex;
    if (!iconRead) return false;
    int showCommand = 0;
    if (!link->GetShowCmd(showCommand)) return false;
    showCommand_ = showCommand;
    return true;
}

}  // namespace quillon::shortcuts
