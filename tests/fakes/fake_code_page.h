#pragma once

#include <string>
#include <string_view>

#include "base/text.h"
#include "platform/code_page.h"

namespace quillon::fakes {

// The active code page of a test, whatever the machine's.
// Utf8(): UTF-8 with the C++ library's case mapping, as on a system where
// the program's manifest puts UTF-8 in force.
// DoubleByte(): a double-byte page with Shift-JIS's lead bytes (0x81-0x9F,
// 0xE0-0xFC), whose trail bytes include "A"-"Z", "\" and "|"; its letters
// are ASCII and the full-width capitals 0x8260-0x8279, which lower-case to
// 0x8281-0x829A.
class FakeCodePage final : public platform::CodePage {
public:
    static const FakeCodePage& Utf8();
    static const FakeCodePage& DoubleByte();

    platform::PageKind Kind() const override { return kind_; }
    std::span<const platform::ByteRange> LeadBytes() const override { return leadBytes_; }
    std::string Lower(std::string_view text) const override;
    // UTF-8 carries every text; the double-byte page only plain ASCII.
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;

private:
    FakeCodePage(platform::PageKind kind, std::span<const platform::ByteRange> leadBytes)
        : kind_(kind), leadBytes_(leadBytes), layout_(text::CharacterLayout::Of(*this)) {}

    std::string LowerCharacter(std::string_view character) const;

    platform::PageKind kind_;
    std::span<const platform::ByteRange> leadBytes_;
    text::CharacterLayout layout_;
};

// Puts UTF-8 in force for the life of a test (or of a harness).
struct Utf8CodePage {
    text::ScopedCodePage scope{FakeCodePage::Utf8()};
};

}  // namespace quillon::fakes
