#include "win32/win32_files.h"

#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {

namespace {

// Waits for and holds an exclusive lock on every byte a file can have. A
// file system without locks still gets the write, unguarded.
class WholeFileLock {
public:
    explicit WholeFileLock(HANDLE file) : file_(file) {
        locked_ = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &range_) != FALSE;
    }
    WholeFileLock(const WholeFileLock&) = delete;
    WholeFileLock& operator=(const WholeFileLock&) = delete;
    ~WholeFileLock() {
        if (locked_) UnlockFileEx(file_, 0, MAXDWORD, MAXDWORD, &range_);
    }

private:
    HANDLE file_;
    OVERLAPPED range_{};
    bool locked_ = false;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

// Writes everything at the end of the file. Append-only access alone puts
// each write at the end, but two processes can still interleave inside a
// line (Wine does not make such writes atomic), so every writer also takes
// an exclusive lock on the whole possible file while it writes; the lock
// needs read access, which append-only access lacks.
bool Win32Files::Append(std::string_view path, std::string_view bytes) {
    const std::string pathText(path);
    unique_file file(CreateFileA(pathText.c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const WholeFileLock lock(file.get());
    return WriteAll(file.get(), bytes);
}

bool Win32Files::Exists(std::string_view path) {
    const std::string pathText(path);
    const DWORD attributes = GetFileAttributesA(pathText.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Win32Files::List(std::string_view pattern, bool includeHidden) {
    DWORD skipped = FILE_ATTRIBUTE_DIRECTORY;
    if (!includeHidden) skipped |= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<std::string> names;
    // Wide: the narrow entry holds MAX_PATH bytes, and a name of fewer
    // characters can take more bytes than that in UTF-8.
    WIN32_FIND_DATAW entry{};
    unique_find search(FindFirstFileW(Widen(pattern).c_str(), &entry));
    if (!search) return names;
    // "." and ".." are folders, so the attribute test drops them too.
    do {
        if ((entry.dwFileAttributes & skipped) == 0) names.push_back(Narrow(entry.cFileName));
    } while (FindNextFileW(search.get(), &entry));
    return names;
}

bool Win32Files::Delete(std::string_view path) {
    const std::string pathText(path);
    return DeleteFileA(pathText.c_str()) != FALSE;
}

std::string Win32Files::LongPath(std::string_view path) {
    const std::wstring wide = Widen(path);
    const DWORD needed = wide.empty() ? 0 : GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::wstring longPath(needed, L'\0');
    const DWORD length = GetLongPathNameW(wide.c_str(), longPath.data(), needed);
    if (length == 0 || length >= needed) return {};
    longPath.resize(length);
    return Narrow(longPath);
}

std::optional<FileSecurity> Win32Files::Security(std::string_view path) {
    const std::wstring wide = Widen(path);
    // Another computer's access list names its own accounts, and its share
    // has a list of its own besides.
    if (wide.size() < 3 || wide[1] != L':' || GetDriveTypeW(wide.substr(0, 3).c_str()) == DRIVE_REMOTE) {
        return std::nullopt;
    }
    PSID owner = nullptr;
    PACL dacl = nullptr;
    unique_local<void> descriptor;
    if (GetNamedSecurityInfoW(wide.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &dacl, nullptr, descriptor.out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    FileSecurity security{SidText(owner), {}};
    // No list at all (FAT, exFAT) lets everyone do everything.
    if (dacl == nullptr) {
        security.allowed.push_back({"S-1-1-0", GENERIC_ALL | FILE_ALL_ACCESS});
        return security;
    }
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(dacl, index, &entry)) continue;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        // A conditional entry may allow as much as a plain one.
        if ((header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE) ||
            (header->AceFlags & INHERIT_ONLY_ACE) != 0) {
            continue;
        }
        // Both kinds lay out their mask and identifier alike.
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        security.allowed.push_back({SidText(&allowed->SidStart), allowed->Mask});
    }
    return security;
}

}  // namespace quillon::platform::win32
