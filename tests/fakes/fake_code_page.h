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
class FakeCodePage : public platform::CodePage {
public:
    static const FakeCodePage& Utf8();
    static const FakeCodePage& DoubleByte();

    const platform::CharacterLayout& Layout() const override { return layout_; }
    std::string Lower(std::string_view text) const override;

private:
    enum class Kind { Utf8, DoubleByte };
    FakeCodePage(Kind kind, platform::CharacterLayout layout) : kind_(kind), layout_(layout) {}

    std::string LowerCharacter(std::string_view character) const;

    Kind kind_;
    platform::CharacterLayout layout_;
};

// Puts UTF-8 in force for the life of a test (or of a harness).
struct Utf8CodePage {
    text::ScopedCodePage scope{FakeCodePage::Utf8()};
};

}  // namespace quillon::fakes
