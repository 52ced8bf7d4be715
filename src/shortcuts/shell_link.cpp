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

// Each text is read into a fresh blank-filled buffer that the field keeps
// whole, also when the reading fails.
template <typename Read>
bool ReadField(std::string& field, Read&& read) {
    field.assign(kMaxPath, ' ');
    return read(std::span<char>(field));
}

}  // namespace

std::string TrimAtNull(std::string_view text) { return std::string(text::BeforeNul(text)); }

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
