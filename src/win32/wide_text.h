#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon::platform::win32 {

// ANSI code-page text as UTF-16, for the few calls that only take wide
// file names. Text that does not convert gives "".
std::wstring Widen(std::string_view text);

// UTF-16 as ANSI code-page text; characters the code page lacks come out
// as the code page's stand-in. Text that does not convert gives "".
std::string Narrow(std::wstring_view text);

// Stands for a character the code page cannot carry. No printer has it in
// its name, so a name that holds it matches none.
inline constexpr char kUncarriedCharacter = '\x01';

// UTF-16 as ANSI code-page text, where each character that the code page
// cannot carry exactly becomes kUncarriedCharacter. Converted as usual, it
// would come out as "?", which is a pattern character, or as a look-alike
// ("Ｈ" as "H", "Ł" as "L"), and a name would match another printer.
std::string NarrowExactly(std::wstring_view text);

// UTF-16 as ANSI code-page text when the code page carries every character
// of it exactly; nothing when it does not.
std::optional<std::string> NarrowWhole(std::wstring_view text);

}  // namespace quillon::platform::win32
