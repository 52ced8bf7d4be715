#include "win32/win32_code_page.h"

#include <windows.h>

#include <climits>
#include <optional>
#include <vector>

namespace quillon::platform::win32 {
namespace {

// The lower-case form of a text that converts to the wide form and back
// without loss; nothing for one that does not.
std::optional<std::string> LowerThroughWide(std::string_view text, bool utf8) {
    if (text.size() > INT_MAX / 2) return std::nullopt;
    const int size = static_cast<int>(text.size());
    const int wideLength =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wideLength);

    const int lowerLength =
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, wide.data(), wideLength, nullptr, 0);
    if (lowerLength <= 0) return std::nullopt;
    std::wstring lower(static_cast<std::size_t>(lowerLength), L'\0');
    if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, wide.data(), wideLength, lower.data(),
                     lowerLength) != lowerLength) {
        return std::nullopt;
    }

    // A lower-case letter the page lacks would come back as a stand-in
    // ("?" or a look-alike); UTF-8 lacks none and takes no such question.
    BOOL usedDefault = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* const lossy = utf8 ? nullptr : &usedDefault;
    const int narrowLength = WideCharToMultiByte(CP_ACP, flags, lower.data(), lowerLength,
                                                 nullptr, 0, nullptr, lossy);
    if (narrowLength <= 0 || usedDefault) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
    WideCharToMultiByte(CP_ACP, flags, lower.data(), lowerLength, narrow.data(), narrowLength,
                        nullptr, lossy);
    if (usedDefault) return std::nullopt;
    return narrow;
}

}  // namespace

std::size_t LastBackslash(std::string_view path) {
    static const text::CharacterLayout layout = text::CharacterLayout::Of(Win32CodePage());
    for (auto found = path.rfind('\\'); found != std::string_view::npos;
         found = found == 0 ? std::string_view::npos : path.rfind('\\', found - 1)) {
        if (layout.IsBoundary(path, found)) return found;
    }
    return std::string_view::npos;
}

Win32CodePage::Win32CodePage() : kind_(PageKind::SingleByte), layout_(text::CharacterLayout::SingleByte()) {
    CPINFO info{};
    if (GetACP() == CP_UTF8) {
        kind_ = PageKind::Utf8;
    } else if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2) {
        kind_ = PageKind::DoubleByte;
        // Pairs of first and last lead byte, ended by a pair of zeros.
        for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
            leadBytes_.push_back({info.LeadByte[i], info.LeadByte[i + 1]});
        }
    }
    layout_ = text::CharacterLayout::Of(*this);
}

std::optional<std::string> Win32CodePage::FromUtf8(std::string_view utf8) const {
    if (kind_ == PageKind::Utf8) return std::string(utf8);
    if (utf8.empty()) return std::string();
    if (utf8.size() > INT_MAX / 2) return std::nullopt;
    const int size = static_cast<int>(utf8.size());
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
    // A character the page lacks would come out as "?" or a look-alike.
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string written(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, written.data(),
                        length, nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return written;
}

std::string Win32CodePage::Lower(std::string_view text) const {
    if (auto whole = LowerThroughWide(text, kind_ == PageKind::Utf8)) return *whole;
    // Some character does not convert: the others are lower-cased one by
    // one around it, and it stays as it is.
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const auto character = text.substr(0, layout_.CharacterLength(text));
        result += LowerThroughWide(character, kind_ == PageKind::Utf8).value_or(std::string(character));
        text.remove_prefix(character.size());
    }
    return result;
}

}  // namespace quillon::platform::win32
