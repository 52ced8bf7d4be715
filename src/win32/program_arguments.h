#pragma once

#include <string_view>

namespace quillon::platform::win32 {

// The argument text of a whole command line as the process received it:
// what follows the program's own file name (quoted or not) and the blanks
// after it. Quotes toggle, as the C runtime reads the first word, so
// C:\"Program Files"\quillon.exe is one name.
std::string_view ProgramArguments(std::string_view commandLine);

}  // namespace quillon::platform::win32
