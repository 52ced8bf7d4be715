#pragma once

#include "platform/files.h"

namespace quillon::platform::win32 {

// The file system through the ANSI file API, and the wide one where a
// path or name may hold what the code page lacks.
class Win32Files final : public Files {
public:
    bool Append(std::string_view path, std::string_view bytes) override;
    // Folders do not count as files.
    bool Exists(std::string_view path) override;
    std::vector<std::string> List(std::string_view pattern, bool includeHidden) override;
    bool Delete(std::string_view path) override;
    std::string LongPath(std::string_view path) override;
    std::optional<FileSecurity> Security(std::string_view path) override;
};

}  // namespace quillon::platform::win32
