#include "fakes/fake_code_page.h"

#include <algorithm>
#include <array>
#include <locale>

namespace quillon::fakes {
namespace {

std::string EncodeUtf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Debian's C library knows every letter's case in its C.UTF-8 locale.
const std::ctype<wchar_t>& UnicodeCase() {
    static const std::locale locale("C.UTF-8");
    return std::use_facet<std::ctype<wchar_t>>(locale);
}

constexpr std::array<platform::ByteRange, 2> kShiftJisLeadBytes{
    {{0x81, 0x9F}, {0xE0, 0xFC}}};

}  // namespace

const FakeCodePage& FakeCodePage::Utf8() {
    static const FakeCodePage page(platform::PageKind::Utf8, {});
    return page;
}

const FakeCodePage& FakeCodePage::DoubleByte() {
    static const FakeCodePage page(platform::PageKind::DoubleByte, kShiftJisLeadBytes);
    return page;
}

std::optional<std::string> FakeCodePage::FromUtf8(std::string_view utf8) const {
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (kind_ != platform::PageKind::Utf8 && !ascii) return std::nullopt;
    return std::string(utf8);
}

std::string FakeCodePage::Lower(std::string_view text) const {
    std::string result;
    while (!text.empty()) {
        const auto character = text.substr(0, layout_.CharacterLength(text));
        result += LowerCharacter(character);
        text.remove_prefix(character.size());
    }
    return result;
}

std::string FakeCodePage::LowerCharacter(std::string_view character) const {
    const auto first = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) {
        // A lone byte past ASCII is no character of the page.
        return std::string(1, first >= 'A' && first <= 'Z' ? static_cast<char>(first + 32) : character[0]);
    }
    if (kind_ == platform::PageKind::DoubleByte) {
        const auto trail = static_cast<unsigned char>(character[1]);
        if (first == 0x82 && trail >= 0x60 && trail <= 0x79) {
            return std::string{static_cast<char>(0x82), static_cast<char>(trail + 0x21)};
        }
        return std::string(character);
    }
    const auto lower = UnicodeCase().tolower(static_cast<wchar_t>(layout_.Value(character)));
    return EncodeUtf8(static_cast<char32_t>(lower));
}

}  // namespace quillon::fakes
