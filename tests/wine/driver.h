#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small driver for end-to-end tests: it starts quillon.exe, finds its
// windows and controls the way a user or a screen reader sees them (by
// caption and class), presses them, and reads the profile and registry the
// program changed.
namespace quillon::e2e {

using namespace std::chrono_literals;

// The program under test: quillon.exe from QUILLON_EXE, or the build with
// the log on from QUILLON_DIAGNOSTICS_EXE.
std::string ProgramPath(bool diagnostics = false);
// The Windows path of a file ctest names in an environment variable.
std::string PathFromEnvironment(const char* variable);
std::string FolderOf(const std::string& path);
// A folder of the shell's (CSIDL_...); empty when it has none.
std::string SpecialFolder(int csidl);
// The file the Task Scheduler keeps for the first task whose name begins
// with the prefix; empty when there is none.
std::string TaskFile(std::string_view prefix);

class Process {
public:
    // In the desktop named "station\\desktop" when one is given.
    Process(const std::string& exe, const std::string& arguments, const char* desktop = nullptr);
    // The program run as a user whose display language is the host locale's
    // ("de_DE.UTF-8"). Wine takes the language from LC_ALL as a program
    // starts from the host, never from the environment a Windows program
    // hands its child, so the host's shell starts this one. The arguments
    // are plain words.
    Process(const std::string& exe, const std::string& arguments, const std::string& locale);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The exit code, or nothing when the program still runs at the deadline.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
    bool Running();
    DWORD Id() const { return info_.dwProcessId; }
    // How it runs or how it ended, and its windows with their texts; a test
    // that fails prints it.
    std::string Describe() const;

    // A visible top-level window of the process with that caption, waiting
    // for it up to the timeout; nullptr when none appeared.
    HWND WaitForWindow(std::string_view caption, std::chrono::milliseconds timeout = 30s);
    // The visible top-level windows of the process, by caption.
    std::vector<std::string> WindowCaptions();

private:
    // The exit code of a program started in a locale that ended before its
    // process was seen, as the host's shell wrote it.
    std::optional<DWORD> EndedUnseen() const;

    PROCESS_INFORMATION info_{};
    std::string scratchFile_;
    std::string exitFile_;
};

// A child control of a window by its class ("Button", "Static", "ListBox")
// and window text (the caption with its & marks); nullptr when absent.
HWND FindControl(HWND window, std::string_view className, std::string_view text = {});
std::string WindowText(HWND window);
// The window texts of every control of a window, in creation order.
std::vector<std::string> ControlTexts(HWND window);
bool IsEnabled(HWND control);
bool IsVisible(HWND control);
bool IsChecked(HWND option);
// Presses a button the way a click does, without waiting for its handler.
void Press(HWND button);
void PostClose(HWND window);

std::vector<std::string> ListEntries(HWND list);
int ListSelection(HWND list);

// The control with the keyboard focus in the window's thread; null when none.
HWND FocusOf(HWND window);
// Ctrl+Alt+Q etc. as real key strokes to the foreground window.
void SendKeyChord(std::initializer_list<WORD> modifiers, WORD key);

// The legacy profile and the registry, as the program sees them.
void ClearPrinters();
void AddProfilePrinter(const std::string& name, const std::string& value = "winspool,Ne01:,15,45");
void SetDefaultDevice(const std::string& value);  // empty: removes it
// A local printer in Wine's spooler as well, so that the spooler lists and
// opens it (its driver is the one Wine prints through).
void InstallSpoolerPrinter(const std::string& name, const std::string& port);
std::string DefaultDevice();
// "Let Windows manage my default printer" as Windows keeps it for the user:
// LegacyDefaultPrinterMode (absent or 0: on, 1: off); nothing removes it.
void SetLegacyDefaultPrinterMode(std::optional<DWORD> mode);
std::optional<DWORD> LegacyDefaultPrinterMode();
// [windows] "Device" as the registry keeps it, in UTF-16, read past every
// code page; and a UTF-8 text of the tests in that form.
std::wstring DefaultDeviceWide();
std::wstring Utf16(const std::string& utf8);

void ClearOptions();
void StoreOptions(const char* desktop, const char* startup, const char* startupAll);
std::optional<std::string> StoredOption(HKEY root, const char* name);

// Values under HKEY_LOCAL_MACHINE, where other programs keep their entries
// (an empty name is the key's default value). Setting creates the key.
void SetMachineValue(const std::string& keyPath, const std::string& name, DWORD type,
                     const std::string& bytes);
void SetMachineString(const std::string& keyPath, const std::string& name,
                      const std::string& text);
std::optional<std::string> MachineString(const std::string& keyPath, const std::string& name);
void DeleteMachineKey(const std::string& keyPath);

// The processes a process started, by id and executable file name.
struct ProcessEntry {
    DWORD id;
    std::string exeName;
};
std::vector<ProcessEntry> ChildProcesses(DWORD parentId);
void EndProcess(DWORD id);

// A visible dialog window of the process (a message box, for one) with that
// caption, waiting for it up to the timeout; nullptr when none appeared.
HWND WaitForDialog(DWORD processId, std::string_view caption,
                   std::chrono::milliseconds timeout = 30s);
// Whether one of the window's controls is a picture showing an icon. (The
// icon of the caption cannot be asked for from another process under Wine.)
bool ShowsAnIcon(HWND window);
// A click on a label that reports clicks.
void ClickLabel(HWND label);
void SetText(HWND control, const std::string& text);
// The screen's pixels inside the rectangle, top row first, as 0xRRGGBB.
std::vector<std::uint32_t> ScreenPixels(const RECT& place);
// How many pixels of the colour the control shows on the screen.
int PixelsOfColour(HWND control, COLORREF colour);

// Makes Wine report another version ("win98", "winxp64", "win7") to the
// programs started afterwards.
void SetWineVersion(const char* version);
// The order in which Wine looks for a library ("winspool.drv", "user32")
// for programs named quillon.exe: "native,builtin" takes a file of that
// name wherever the search finds one first, as Windows does; null forgets
// every such preference.
void SetWineLibraryPreference(const std::string& library, const char* order);

// The host's path of a Windows path, and a word for the host's shell that
// stands for the text literally.
std::optional<std::string> HostPath(const std::string& windowsPath);
std::string ShellWord(const std::string& text);

// The names of the shortcut files in a folder, sorted.
std::vector<std::string> Links(const std::string& folder);
// A shortcut of the user's own, written the way any program writes one.
bool WriteLink(const std::string& path, const std::string& target);

// The lines of a text file; empty when it does not exist.
std::vector<std::string> ReadLines(const std::string& path);
// The bytes of a file; empty when it does not exist.
std::string FileBytes(const std::string& path);

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

}  // namespace quillon::e2e
