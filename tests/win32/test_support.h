#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"

namespace quillon::win32_tests {

// True under Wine, whose ntdll exports wine_get_version; some tests steer
// Wine through its own registry settings.
bool RunningUnderWine();

// The helper program built beside the test program.
std::string ChildPath();

// Starts the helper with the command line given whole (its first word is
// what the child sees as its own name) and waits for it; the exit code, or
// nothing when it could not be started or did not end within a minute.
std::optional<DWORD> RunChild(const std::string& commandLine);

// Starts the helper without waiting; nothing is started when the handle is
// empty.
platform::win32::unique_handle StartChild(const std::string& commandLine);
std::optional<DWORD> WaitChild(const platform::win32::unique_handle& process);

std::string ReadWholeFile(const std::string& path);

// Sets an environment variable for the life of the object, then restores
// the value it had (or removes it).
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value);
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment();

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// A fresh folder under the temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

private:
    std::string path_;
};

// Remembers a registry value, type and bytes, and puts it back (or deletes
// it when it did not exist) when the object goes.
class RegistryValueRestorer {
public:
    RegistryValueRestorer(HKEY root, std::string keyPath, std::string valueName);
    RegistryValueRestorer(const RegistryValueRestorer&) = delete;
    RegistryValueRestorer& operator=(const RegistryValueRestorer&) = delete;
    ~RegistryValueRestorer();

private:
    HKEY root_;
    std::string keyPath_;
    std::string valueName_;
    std::optional<std::string> previous_;
    DWORD previousType_ = REG_NONE;
};

}  // namespace quillon::win32_tests
