#pragma once

#include <string>
#include <string_view>

#include "base/texts.h"

namespace quillon::shortcuts {

// The shortcut's name with the ten characters that a file name cannot hold
// (or that would confuse a command line) dropped: / \ : * ? " < > | '.
std::string CleanShortcutName(std::string_view name);

// The last component of the Startup folder's path: the text after its last
// backslash, or "" when there is none.
std::string StartupFolderName(std::string_view startupPath);

// Whether a shortcut target is this program: the file name after the last
// backslash is "quillon.exe" in any letter case. Only such shortcuts are the
// program's own; one to "myquillon.exe" is someone else's.
bool IsQuillonTarget(std::string_view target);

// What a shortcut for one list entry holds: it runs the program's own
// executable with the printer's name in double quotes as its only argument.
struct ShortcutRequest {
    std::string name;
    std::string target;
    std::string arguments;
};

// The name is the texts' shortcut name for the entry.
ShortcutRequest MakeShortcutRequest(const texts::Texts& texts, std::string_view entryText,
                                    std::string_view printerName,
                                    std::string_view executableFolder,
                                    std::string_view executableName);

}  // namespace quillon::shortcuts
