#include "win32/win32_files.h"

#include <windows.h>

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

}  // namespace quillon::platform::win32
