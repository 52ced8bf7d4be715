#include "base/character_layout.h"

namespace quillon::text {
namespace {

// The bytes a well-formed UTF-8 character may continue with after its lead
// byte: the second byte's range is narrower for some lead bytes (no
// over-long forms, no surrogates, nothing past U+10FFFF); every later byte
// is 0x80..0xBF.
struct Utf8Sequence {
    std::size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};

Utf8Sequence Utf8SequenceOf(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {1, 0, 0};  // a continuation byte or a byte UTF-8 never uses
}

// How many bytes from the front of the text continue the UTF-8 character
// that its first byte begins, counting the lead byte.
std::size_t Utf8ValidBytes(std::string_view text, const Utf8Sequence& sequence) {
    std::size_t valid = 1;
    while (valid < sequence.length && valid < text.size()) {
        const auto byte = static_cast<unsigned char>(text[valid]);
        const auto low = valid == 1 ? sequence.secondLow : 0x80;
        const auto high = valid == 1 ? sequence.secondHigh : 0xBF;
        if (byte < low || byte > high) break;
        ++valid;
    }
    return valid;
}

// No double-byte page uses a byte below 0x40 as a trail byte, so blanks,
// digits and the punctuation there always stand alone.
constexpr unsigned char kLowestTrailByte = 0x40;

}  // namespace

CharacterLayout CharacterLayout::SingleByte() { return CharacterLayout(Kind::SingleByte); }

CharacterLayout CharacterLayout::DoubleByte(std::span<const ByteRange> leadBytes) {
    CharacterLayout layout(Kind::DoubleByte);
    for (const auto& range : leadBytes) {
        for (unsigned byte = range.first; byte <= range.last; ++byte) layout.leadBytes_.set(byte);
    }
    return layout;
}

CharacterLayout CharacterLayout::Utf8() { return CharacterLayout(Kind::Utf8); }

CharacterLayout CharacterLayout::Of(const platform::CodePage& codePage) {
    if (codePage.Kind() == Kind::DoubleByte) return DoubleByte(codePage.LeadBytes());
    return CharacterLayout(codePage.Kind());
}

std::size_t CharacterLayout::CharacterLength(std::string_view text) const {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    switch (kind_) {
        case Kind::SingleByte:
            return 1;
        case Kind::DoubleByte:
            return leadBytes_.test(lead) && text.size() > 1 &&
                           static_cast<unsigned char>(text[1]) >= kLowestTrailByte
                       ? 2
                       : 1;
        case Kind::Utf8: {
            const auto sequence = Utf8SequenceOf(lead);
            return Utf8ValidBytes(text, sequence) == sequence.length ? sequence.length : 1;
        }
    }
    return 1;
}

std::size_t CharacterLayout::MaxCharacterLength() const {
    switch (kind_) {
        case Kind::SingleByte:
            return 1;
        case Kind::DoubleByte:
            return 2;
        case Kind::Utf8:
            return 4;
    }
    return 1;
}

std::size_t CharacterLayout::CutTailLength(std::string_view text) const {
    switch (kind_) {
        case Kind::SingleByte:
            return 0;
        case Kind::DoubleByte: {
            std::size_t at = 0;
            while (at + 1 < text.size()) at += CharacterLength(text.substr(at));
            const bool cut = at + 1 == text.size() && leadBytes_.test(static_cast<unsigned char>(text[at]));
            return cut ? 1 : 0;
        }
        case Kind::Utf8:
            // UTF-8 finds its own boundaries: a cut character begins at most
            // three bytes before the end.
            for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
                const auto tail = text.substr(text.size() - back);
                const auto sequence = Utf8SequenceOf(static_cast<unsigned char>(tail[0]));
                if (sequence.length > back && Utf8ValidBytes(tail, sequence) == back) return back;
            }
            return 0;
    }
    return 0;
}

bool CharacterLayout::IsBoundary(std::string_view text, std::size_t position) const {
    if (position == 0 || position >= text.size()) return true;
    switch (kind_) {
        case Kind::SingleByte:
            return true;
        case Kind::DoubleByte: {
            // A trail byte may look like a lead byte, so only a walk from
            // the start tells where characters begin.
            std::size_t at = 0;
            while (at < position) at += CharacterLength(text.substr(at));
            return at == position;
        }
        case Kind::Utf8:
            for (std::size_t back = 1; back <= 3 && back <= position; ++back) {
                if (CharacterLength(text.substr(position - back)) > back) return false;
            }
            return true;
    }
    return true;
}

std::uint32_t CharacterLayout::Value(std::string_view character) const {
    if (character.empty()) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(character[i])); };
    const auto length = CharacterLength(character);
    if (kind_ == Kind::DoubleByte && length == 2) return byte(0) << 8 | byte(1);
    if (kind_ != Kind::Utf8 || length == 1) return byte(0);
    // The lead byte keeps 7 - length bits of the code point, every further
    // byte six.
    std::uint32_t value = byte(0) & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) value = value << 6 | (byte(i) & 0x3F);
    return value;
}

}  // namespace quillon::text
