#include "win32/wide_text.h"

#include <windows.h>

#include <climits>

namespace quillon::platform::win32 {

std::wstring Widen(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), needed);
    return wide;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

std::optional<std::string> NarrowWhole(std::wstring_view text) {
    if (text.empty() || GetACP() == CP_UTF8) return Narrow(text);
    if (text.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                           nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, narrow.data(), needed, nullptr,
                        nullptr);
    return narrow;
}

std::string NarrowExactly(std::wstring_view text) {
    // UTF-8 carries every character, and takes neither the flag nor the
    // question.
    if (GetACP() == CP_UTF8) return Narrow(text);
    std::string narrow;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t units = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() &&
                                          IS_LOW_SURROGATE(text[i + 1])
                                      ? 2
                                      : 1;
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int length =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data() + i,
                                static_cast<int>(units), bytes, sizeof bytes, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) {
            narrow += kUncarriedCharacter;
        } else {
            narrow.append(bytes, static_cast<std::size_t>(length));
        }
        i += units;
    }
    return narrow;
}

}  // namespace quillon::platform::win32
