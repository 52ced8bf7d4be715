#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillon::platform {

// The byte values first to last.
struct ByteRange {
    unsigned char first;
    unsigned char last;
};

// How a code page writes its characters as bytes. Windows uses three
// kinds: single-byte pages (every byte a character), double-byte pages (a
// lead byte from the page's table and the byte after it form one
// character), and UTF-8.
enum class PageKind { SingleByte, DoubleByte, Utf8 };

// The active code page, as only the system can tell it: the kind of page
// and its lead bytes, from which base/ divides text into characters, and
// how its letters lower-case. Abstract so that tests can run the text rules
// under UTF-8 or a double-byte page whatever the machine; the real one asks
// Windows.
class CodePage {
public:
    virtual ~CodePage() = default;

    virtual PageKind Kind() const = 0;
    // The bytes that begin a character of two bytes; none but on a
    // double-byte page.
    virtual std::span<const ByteRange> LeadBytes() const = 0;

    // The text with every letter the system knows in its lower-case form.
    // A character the code page cannot read, or whose lower-case form it
    // cannot write, stays as it is.
    virtual std::string Lower(std::string_view text) const = 0;

    // UTF-8 text written in this code page; nothing when the page lacks one
    // of its characters.
    virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
};

}  // namespace quillon::platform
