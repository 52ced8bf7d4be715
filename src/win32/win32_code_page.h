#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/character_layout.h"
#include "platform/code_page.h"

namespace quillon::platform::win32 {

// The place of the path's last backslash that is a character of its own
// (in a double-byte page 0x5C is also the trail byte of some characters);
// npos when there is none.
std::size_t LastBackslash(std::string_view path);

// The process's ANSI code page: UTF-8 where the manifest's active code
// page is honoured, otherwise the system's own single- or double-byte page.
// Lower-cases through the wide form of the text, as the system's own case
// mapping does it for the user's locale.
class Win32CodePage final : public CodePage {
public:
    Win32CodePage();

    PageKind Kind() const override { return kind_; }
    std::span<const ByteRange> LeadBytes() const override { return leadBytes_; }
    std::string Lower(std::string_view text) const override;
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;

private:
    PageKind kind_;
    std::vector<ByteRange> leadBytes_;
    text::CharacterLayout layout_;
};

}  // namespace quillon::platform::win32
