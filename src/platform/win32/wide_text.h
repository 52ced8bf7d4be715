#pragma once

#include <string>
#include <string_view>

namespace quillon::platform::win32 {

// ANSI code-page text as UTF-16, for the few calls that only take wide
// file names. Text that does not convert gives "".
std::wstring Widen(std::string_view text);

// UTF-16 as ANSI code-page text; characters the code page lacks come out
// as the code page's stand-in. Text that does not convert gives "".
std::string Narrow(std::wstring_view text);

}  // namespace quillon::platform::win32
