#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

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
};

}  // namespace quillon::platform
