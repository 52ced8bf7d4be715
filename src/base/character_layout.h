#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/code_page.h"

namespace quillon::text {

// Where the characters of a code page's text begin and end, for each kind
// of page. Text the page cannot read is never lost: a byte that begins no
// character of the page counts as a character of its own.
class CharacterLayout {
public:
    using ByteRange = platform::ByteRange;

    static CharacterLayout SingleByte();
    static CharacterLayout DoubleByte(std::span<const ByteRange> leadBytes);
    static CharacterLayout Utf8();
    // The layout of the page as the system describes it.
    static CharacterLayout Of(const platform::CodePage& codePage);

    // The number of bytes of the character at the front of the text: 0 for
    // an empty text, never more than the text holds.
    std::size_t CharacterLength(std::string_view text) const;
    // The most bytes one character takes: a buffer of so many characters
    // needs this many bytes for each.
    std::size_t MaxCharacterLength() const;

    // The bytes at the end of the text that begin a character whose
    // further bytes are missing (a buffer cut it there); 0 when the text
    // ends with a whole character.
    std::size_t CutTailLength(std::string_view text) const;

    // Whether a character boundary stands at the position: its start, its
    // end, or between two characters.
    bool IsBoundary(std::string_view text, std::size_t position) const;

    // The character's place in the code page's order, for ranges: the code
    // point for UTF-8, lead byte and trail byte as one number for a
    // double-byte character, the byte otherwise.
    std::uint32_t Value(std::string_view character) const;

private:
    using Kind = platform::PageKind;
    explicit CharacterLayout(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::bitset<256> leadBytes_;
};

}  // namespace quillon::text
