#include "base/text.h"

#include <algorithm>
#include <span>

namespace quillon::text {
namespace {

// The rules of plain ASCII, which every code page shares.
class AsciiCodePage final : public platform::CodePage {
public:
    platform::PageKind Kind() const override { return platform::PageKind::SingleByte; }
    std::span<const platform::ByteRange> LeadBytes() const override { return {}; }
    std::string Lower(std::string_view text) const override {
        std::string result(text);
        for (char& c : result) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
        }
        return result;
    }
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
};

const AsciiCodePage kAscii;
const platform::CodePage* active = &kAscii;
const CharacterLayout kAsciiLayout = CharacterLayout::SingleByte();
const CharacterLayout* activeLayout = &kAsciiLayout;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool StandsAsWholeCharacters(std::string_view text, std::size_t position, std::size_t length) {
    const auto& layout = ActiveLayout();
    return layout.IsBoundary(text, position) && layout.IsBoundary(text, position + length);
}

}  // namespace

std::optional<std::string> AsciiCodePage::FromUtf8(std::string_view utf8) const {
    if (!IsAscii(utf8)) return std::nullopt;
    return std::string(utf8);
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
    return IsAscii(utf8) ? std::optional<std::string>(utf8) : active->FromUtf8(utf8);
}

ScopedCodePage::ScopedCodePage(const platform::CodePage& codePage)
    : previous_(active), previousLayout_(activeLayout), layout_(CharacterLayout::Of(codePage)) {
    active = &codePage;
    activeLayout = &layout_;
}

ScopedCodePage::~ScopedCodePage() {
    active = previous_;
    activeLayout = previousLayout_;
}

const CharacterLayout& ActiveLayout() { return *activeLayout; }

std::string ToLower(std::string_view s) {
    // No code page uses a byte below 0x80 inside a longer character, and
    // the system folds A-Z alike everywhere, so plain ASCII spares the
    // system call.
    return IsAscii(s) ? kAscii.Lower(s) : active->Lower(s);
}

std::size_t Find(std::string_view text, std::string_view part, std::size_t from) {
    for (auto found = text.find(part, from); found != std::string_view::npos;
         found = text.find(part, found + 1)) {
        if (StandsAsWholeCharacters(text, found, part.size())) return found;
    }
    return std::string_view::npos;
}

std::size_t FindLast(std::string_view text, std::string_view part) {
    for (auto found = text.rfind(part); found != std::string_view::npos;
         found = text.rfind(part, found - 1)) {
        if (StandsAsWholeCharacters(text, found, part.size())) return found;
        if (found == 0) break;
    }
    return std::string_view::npos;
}

bool Contains(std::string_view haystack, std::string_view needle) {
    return Find(haystack, needle) != std::string_view::npos;
}

bool ContainsLower(std::string_view haystack, std::string_view lowerNeedle) {
    return Contains(ToLower(haystack), lowerNeedle);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.starts_with(prefix) && ActiveLayout().IsBoundary(text, prefix.size());
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.ends_with(suffix) && ActiveLayout().IsBoundary(text, text.size() - suffix.size());
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view lowerPart) {
    // Character by character, so that a character whose lower case is
    // longer or shorter than itself keeps the places of the text.
    if (lowerPart.empty()) return 0;
    const auto& layout = ActiveLayout();
    for (std::size_t start = 0; start < text.size(); start += layout.CharacterLength(text.substr(start))) {
        std::string_view rest = lowerPart;
        std::size_t at = start;
        while (!rest.empty() && at < text.size()) {
            const auto character = text.substr(at, layout.CharacterLength(text.substr(at)));
            const auto lower = ToLower(character);
            if (!rest.starts_with(lower)) break;
            rest.remove_prefix(lower.size());
            at += character.size();
        }
        if (rest.empty()) return start;
    }
    return std::string_view::npos;
}

std::size_t CharacterLength(std::string_view text) { return ActiveLayout().CharacterLength(text); }

std::string_view WholeCharacters(std::string_view text) {
    return text.substr(0, text.size() - ActiveLayout().CutTailLength(text));
}

std::string_view FirstBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    auto length = maxBytes;
    while (length > 0 && !ActiveLayout().IsBoundary(text, length)) --length;
    return text.substr(0, length);
}

std::string_view TrimTrailingBlanks(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : TrimTrailingBlanks(s.substr(first));
}

std::string_view BeforeNul(std::string_view s) {
    // NUL never stands inside a character.
    return WholeCharacters(s.substr(0, s.find('\0')));
}

}  // namespace quillon::text
