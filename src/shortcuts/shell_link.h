#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace quillon::shortcuts {

// The text before the first NUL; the whole text when it holds none.
std::string TrimAtNull(std::string_view text);

// Writes "<linkName>.lnk", running the target with the arguments, into the
// folder named relative to the Start-menu Programs folder ("$(Programs)" is
// that folder itself) of the current user when privateFlag is set, of all
// users otherwise; missing folders are made. The parent names where folder
// is relative to; only "$(Programs)" is understood. The shortcut starts in
// the target's folder with a normal window and takes its icon from the
// target. An empty folder name is refused: it would put a Startup entry
// into the Programs menu instead. Non-zero when the file was written.
std::int32_t fCreateShellLink(platform::Shell& shell, std::string_view folder,
                              std::string_view linkName, std::string_view target,
                              std::string_view arguments, bool privateFlag,
                              std::string_view parent);

// A shortcut file, written from a target and its details or read back into
// read-only properties. The shell link object lives only inside one call.
class cShellLinkA {
public:
    explicit cShellLinkA(platform::Shell& shell) : shell_(shell) {}

    // The details of the last shortcut GetLinkInfo read; empty or zero
    // before that.
    std::string ExeName() const { return TrimAtNull(exeName_); }
    std::string ExeArgs() const { return TrimAtNull(exeArgs_); }
    std::string WorkingDir() const { return TrimAtNull(workingDir_); }
    std::string Description() const { return TrimAtNull(description_); }
    std::string IconFile() const { return TrimAtNull(iconFile_); }
    std::int32_t IconIndex() const { return iconIndex_; }
    std::int32_t ShowCommand() const { return showCommand_; }

    // Splits the hot-key word: the modifier flags are its high byte, the
    // virtual-key code its low byte. Nothing in the program calls it yet.
    void GetHotKeyInfo(std::uint8_t& bModifier, std::uint8_t& bKey) const;

    // eKeyMod x 256 OR bKey as a signed 16-bit word. Throws
    // std::overflow_error when that does not fit (any eKeyMod of 128 or more).
    // Nothing in the program calls it yet.
    static std::int16_t MakeHotKey(std::int32_t eKeyMod, std::uint8_t bKey);

    // The special folder's path, or "".
    std::string GetSystemFolderPath(std::uintptr_t hwnd, std::int16_t Id);

    // Writes the shortcut file sLinkFile; its icon is always icon IconIdx of
    // the target itself. An empty sWorkDir leaves no working folder, an
    // iHotKey of 0 no hot key. False, with nothing written, on any failure.
    bool CreateLink(std::string_view sLinkDesc, std::string_view sLinkFile,
                    std::string_view sExeFile, std::string_view sWorkDir,
                    std::string_view sExeArgs, std::int32_t IconIdx, std::int16_t iHotKey,
                    std::int32_t eShow);

    // Reads the shortcut file into the properties. On a failure the details
    // read before it keep their new values, the one whose reading failed is
    // left blank-filled and the later ones keep their old values. Nothing in
    // the program calls it yet.
    bool GetLinkInfo(std::string_view sLinkFile);

private:
    platform::Shell& shell_;
    std::string exeName_;
    std::string exeArgs_;
    std::string workingDir_;
    std::string description_;
    std::string iconFile_;
    std::int32_t iconIndex_ = 0;
    std::int32_t showCommand_ = 0;
    std::uint16_t hotKey_ = 0;
};

}  // namespace quillon::shortcuts
