#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/notice.h"
#include "base/texts.h"
#include "platform/platform.h"
#include "shortcuts/shortcut_place.h"

namespace quillon::shortcuts {

// Deletes the program's own shortcuts from one Startup folder: AllStartup
// for all users, Startup for the current user. The folders are found
// through ALLUSERSPROFILE and APPDATA, and, given the Startup folder's
// name, also where new entries are written: the same users' Start-menu
// Programs folder and that name, which follows a redirected Start menu. A refused read of one of the program's entries
// stops the pass and gives the message that administrator rights are
// needed, in the texts' language; failed deletions are ignored.
std::optional<Notice> RemoveOldStartupShortcuts(platform::Platform& os, const texts::Texts& texts,
                                                ShortcutPlace location,
                                                std::string_view startupFolderName = {});

// What reading a shortcut found. The details are those read before the
// reading stopped; a detail that was not reached stays empty (nullopt), so
// a caller can keep its old value for it.
struct ShortcutReading {
    enum class Outcome {
        Read,         // every detail is there
        NotFound,     // no such file in the folder
        NotALink,     // the file is there but is not a shortcut
        AccessDenied, // the file or the link object refused to be read
        Failed,       // anything else; errorText describes it
    };
    Outcome outcome = Outcome::Failed;
    std::string errorText;  // for Failed: the system's description

    std::optional<std::string> name;  // the file's display name, without ".lnk"
    std::optional<std::string> description;
    std::optional<std::string> target;
    std::optional<std::string> workingFolder;
    std::optional<std::string> arguments;
};

// Reads the shortcut at path (".lnk" is added when the name lacks it)
// through the shell's link object: its description, target, working folder
// and arguments in that order, up to the first that fails.
ShortcutReading ReadShortcutFile(platform::Shell& shell, std::string_view path);

// Reads the shortcut at path as ReadShortcutFile does.
// Returns "" with every detail filled, or the reason it could not be read;
// details read before a failure are filled, the others left as they were.
// A refused access reads "Permission denied".
std::string ReadShortcut(platform::Shell& shell, std::string_view path, std::string& name,
                         std::string& target, std::string& description,
                         std::string& workingFolder, std::string& arguments);

// The plain names of the files matching the wildcard pattern, from index 1
// on, in the order of the directory listing; element 0 is always "". At
// most 32767 names are kept.
void ListFiles(platform::Files& files, std::string_view pattern, std::vector<std::string>& names,
               std::int16_t includeHidden);

}  // namespace quillon::shortcuts
