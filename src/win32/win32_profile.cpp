#include "win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace quillon::platform::win32 {

namespace {

// A window that does not answer within this time is given up on, so that
// one hung program cannot hold the default-printer change hostage.
constexpr UINT kBroadcastTimeoutMs = 3000;

}  // namespace

std::size_t Win32Profile::GetString(std::string_view section,
                                    std::optional<std::string_view> key,
                                    std::string_view defaultValue, std::span<char> buffer) {
    if (buffer.empty()) return 0;
    const std::string sectionText(section);
    const std::string keyText(key.value_or(std::string_view{}));
    const std::string defaultText(defaultValue);
    const auto size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    return GetProfileStringA(sectionText.c_str(), key ? keyText.c_str() : nullptr,
                             defaultText.c_str(), buffer.data(), size);
}

bool Win32Profile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    const std::string sectionText(section);
    const std::string keyText(key);
    const std::string valueText(value);
    return WriteProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str()) != FALSE;
}

void Win32Profile::BroadcastChange(std::string_view section) {
    const std::string sectionText(section);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                        reinterpret_cast<LPARAM>(sectionText.c_str()), SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &ignored);
}

}  // namespace quillon::platform::win32
