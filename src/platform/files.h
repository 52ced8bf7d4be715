#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

// An entry of a file's or folder's access list that allows: the account or
// group by its security identifier ("S-1-5-32-545") and the rights, as
// Windows' access mask.
struct AccessAllowed {
    std::string sid;
    std::uint32_t rights = 0;
};

// Who may change a file or folder: its owner, who may always change its
// access list, and the entries that allow access to it.
struct FileSecurity {
    std::string owner;
    std::vector<AccessAllowed> allowed;
};

// The file system, as much of it as the program touches. Abstract so that
// tests can use an in-memory folder tree; the real one is the Win32 one.
class Files {
public:
    virtual ~Files() = default;

    // Opens the file for appending (creating it), writes the bytes and
    // closes it again. False when the file could not be opened or written.
    virtual bool Append(std::string_view path, std::string_view bytes) = 0;

    virtual bool Exists(std::string_view path) = 0;

    // The plain names of the files that match a wildcard pattern ("*", "?",
    // letter case ignored), in the order of the directory listing. Hidden
    // and system entries are left out unless includeHidden is set; folders
    // are never listed.
    virtual std::vector<std::string> List(std::string_view pattern, bool includeHidden) = 0;

    // DeleteFileA.
    virtual bool Delete(std::string_view path) = 0;

    // The path of a file or folder in its long form, each part named as
    // its folder lists it ("C:\Program Files" for "C:\PROGRA~1"); "" where
    // there is none.
    virtual std::string LongPath(std::string_view path) = 0;

    // The security of a file or folder on this computer, with the entries
    // that apply to it (not those only its contents inherit); a file system
    // without access lists allows everyone everything. Nothing where
    // Windows cannot tell: a path on another computer, or one that cannot
    // be read.
    virtual std::optional<FileSecurity> Security(std::string_view path) = 0;
};

}  // namespace quillon::platform
