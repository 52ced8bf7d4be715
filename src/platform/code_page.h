#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillon::platform {

// How the active code page writes its characters as bytes. Windows uses
// three kinds: single-byte pages (every byte a character), double-byte
// pages (a lead byte from the page's table and the byte after it form one
// character), and UTF-8. Text the page cannot read is never lost: a byte
// that begins no character of the page counts as a character of its own.
class CharacterLayout {
public:
    struct ByteRange {
        unsigned char first;
        unsigned char last;
    };

    static CharacterLayout SingleByte();
    static CharacterLayout DoubleByte(std::span<const ByteRange> leadBytes);
    static CharacterLayout Utf8();

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
    enum class Kind { SingleByte, DoubleByte, Utf8 };
    explicit CharacterLayout(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::bitset<256> leadBytes_;
};

// The active code page: how its text divides into characters and how the
// system lower-cases its letters. Abstract so that tests can run the text
// rules under UTF-8 or a double-byte page whatever the machine; the real
// one asks Windows.
class CodePage {
public:
    virtual ~CodePage() = default;

    virtual const CharacterLayout& Layout() const = 0;

    // The text with every letter the system knows in its lower-case form.
    // A character the code page cannot read, or whose lower-case form it
    // cannot write, stays as it is.
    virtual std::string Lower(std::string_view text) const = 0;
};

}  // namespace quillon::platform
