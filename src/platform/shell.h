#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// <shellapi.h> maps ShellExecute to ShellExecuteA; the method below keeps
// its own name in files that saw that header first.
#ifdef ShellExecute
#undef ShellExecute
#endif

namespace quillon::platform {

// Special-folder ids (the shell's CSIDL numbers) the program asks for.
inline constexpr int kCsidlDesktop = 0;
inline constexpr int kCsidlPrograms = 2;
inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlCommonPrograms = 23;

// Resolve without asking the user and write back what changed.
inline constexpr std::uint32_t kResolveUpdate = 4;
// GetPath: the UNC form of a target on a mapped drive.
inline constexpr std::uint32_t kPathUncPriority = 2;

// How a call of the shell failed: a refused access, or anything else with
// the system's description of it.
struct ShellFailure {
    bool accessDenied = false;
    std::string text;
};

// One shell link object, released when this object goes. Each method is
// one call of the link object; false stands for a failing result code,
// which LastFailure then describes.
// Texts go in and out in the ANSI code page; the getters fill the whole
// buffer they are given as the link object does (NUL-terminated text, the
// rest of the buffer as the call leaves it).
class ShellLink {
public:
    virtual ~ShellLink() = default;

    virtual bool SetPath(std::string_view path) = 0;
    virtual bool SetIconLocation(std::string_view file, int index) = 0;
    virtual bool SetShowCmd(int showCommand) = 0;
    virtual bool SetHotkey(std::uint16_t hotKey) = 0;
    virtual bool SetWorkingDirectory(std::string_view folder) = 0;
    virtual bool SetArguments(std::string_view arguments) = 0;
    virtual bool SetDescription(std::string_view description) = 0;
    virtual bool Resolve(std::uintptr_t ownerWindow, std::uint32_t flags) = 0;

    // IPersistFile: Save writes the link file without making it the link
    // object's current file; Load reads one for reading only.
    virtual bool Save(std::string_view linkFile) = 0;
    virtual bool Load(std::string_view linkFile) = 0;

    virtual bool GetPath(std::span<char> buffer, std::uint32_t flags) = 0;
    virtual bool GetWorkingDirectory(std::span<char> buffer) = 0;
    virtual bool GetArguments(std::span<char> buffer) = 0;
    virtual bool GetDescription(std::span<char> buffer) = 0;
    virtual bool GetHotkey(std::uint16_t& hotKey) = 0;
    virtual bool GetIconLocation(std::span<char> buffer, int& index) = 0;
    virtual bool GetShowCmd(int& showCommand) = 0;

    virtual ShellFailure LastFailure() const = 0;
};

// What is at a path.
enum class FileKind { Missing, Folder, File, Failed };

// The shell: special folders, shortcut files and starting things. Abstract
// so that tests can use an in-memory shell; the real one is the Win32
// shell, which needs COM initialised apartment-threaded on the calling
// thread.
class Shell {
public:
    virtual ~Shell() = default;

    // SHGetSpecialFolderLocation, SHGetPathFromIDListA and CoTaskMemFree:
    // the folder's path, or "" when the system does not know the id or the
    // folder has no path.
    virtual std::string SpecialFolderPath(std::uintptr_t ownerWindow, int csidl) = 0;

    // A new shell link object; nothing, and why in failure, when it cannot
    // be created or has no IPersistFile side.
    virtual std::unique_ptr<ShellLink> CreateShellLink(ShellFailure& failure) = 0;
    std::unique_ptr<ShellLink> CreateShellLink() {
        ShellFailure ignored;
        return CreateShellLink(ignored);
    }

    // SHCreateDirectoryExA: makes the folder and the missing ones above it;
    // true also when it was there already.
    virtual bool CreateFolder(std::string_view path) = 0;

    // GetFileAttributesA: whether the path names a file, a folder or
    // nothing (also when a folder on the way is missing or the name is
    // invalid); why in failure when the system could not tell.
    virtual FileKind KindOfFile(std::string_view path, ShellFailure& failure) = 0;

    // ShellExecuteA with the default verb and a normal window; true when
    // the shell opened the target.
    virtual bool ShellExecute(std::string_view target) = 0;

    // Starts the program at the path with a normal window that gets the
    // focus; false when it could not be started.
    virtual bool StartProgram(std::string_view path) = 0;
};

}  // namespace quillon::platform
