#include "wine/driver.h"

#include <tlhelp32.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace quillon::e2e {
namespace {

constexpr const char* kSettingsKey = "software\\kvo\\quillon";

struct WindowSearch {
    DWORD processId;
    std::string_view caption;
    HWND found = nullptr;
    std::vector<std::string>* captions = nullptr;
};

std::vector<DWORD> ProcessesNamed(const char* exeName) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) == 0) ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    const std::string text = WindowText(window);
    if (search.captions != nullptr) search.captions->push_back(text);
    if (search.captions == nullptr && text == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct ControlSearch {
    std::string_view className;
    std::string_view text;
    HWND found = nullptr;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM parameter) {
    auto& search = *reinterpret_cast<ControlSearch*>(parameter);
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, std::string(search.className).c_str()) != 0) return TRUE;
    if (!search.text.empty() && WindowText(child) != search.text) return TRUE;
    search.found = child;
    return FALSE;
}

void DeleteTree(HKEY root, const char* path) { RegDeleteTreeA(root, path); }

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.first) search.second.push_back(window);
    return TRUE;
}

// What a failed test saw of the program: whether it still ran or how it
// ended, and each of its top-level windows with its class, caption and the
// texts of its controls (a message box's text among them).
std::string DescribeProcess(HANDLE process, DWORD id) {
    std::string report = "[ program ] process " + std::to_string(id);
    DWORD code = 0;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        report += " still running";
    } else if (GetExitCodeProcess(process, &code)) {
        report += " ended with exit code " + std::to_string(code);
    }
    std::pair<DWORD, std::vector<HWND>> search{id, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.second) {
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        report += "\n[ program ] window " + std::string(className) + " \"" + WindowText(window) +
                  "\"" + (IsWindowVisible(window) ? "" : " (hidden)");
        for (const std::string& text : ControlTexts(window)) {
            if (!text.empty()) report += "\n[ program ]   \"" + text + "\"";
        }
    }
    return report;
}

// The programs under test that run now, so that a failing check can say
// what they showed at that moment.
std::vector<const Process*>& LivePrograms() {
    static std::vector<const Process*> programs;
    return programs;
}

// At the first failure of a test, what each program under test showed then;
// a program's destructor says how it ended.
class ProgramReporter : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { reported_ = false; }
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || reported_) return;
        reported_ = true;
        for (const Process* program : LivePrograms()) std::cout << program->Describe() << std::endl;
    }
    bool reported_ = false;
};

[[maybe_unused]] const bool kReporterAdded = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramReporter);
    return true;
}();

}  // namespace

// Wine's own export that turns a Windows path into the host's path.
std::optional<std::string> HostPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return std::nullopt;
    std::wstring wide(windowsPath.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    if (length <= 0) return std::nullopt;
    char* unixPath = toUnix(wide.c_str());
    if (unixPath == nullptr) return std::nullopt;
    std::string result(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string ShellWord(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string PathFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr) throw std::runtime_error(std::string(variable) + " is not set");
    std::string path = value;
    // ctest hands over the Unix path of the build folder; Wine maps / to Z:.
    if (!path.empty() && path[0] == '/') {
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
        path = "Z:" + path;
    }
    return path;
}

std::string ProgramPath(bool diagnostics) {
    return PathFromEnvironment(diagnostics ? "QUILLON_DIAGNOSTICS_EXE" : "QUILLON_EXE");
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::string TaskFile(std::string_view prefix) {
    const std::string folder = SpecialFolder(CSIDL_SYSTEM) + "\\tasks\\";
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + std::string(prefix) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return folder + found.cFileName;
}

Process::Process(const std::string& exe, const std::string& arguments, const char* desktop) {
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string desktopName = desktop != nullptr ? desktop : "";
    if (desktop != nullptr) startup.lpDesktop = desktopName.data();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
        throw std::runtime_error("cannot start " + exe + ": error " + std::to_string(GetLastError()));
    }
    LivePrograms().push_back(this);
}

Process::Process(const std::string& exe, const std::string& arguments, const std::string& locale) {
    const auto before = ProcessesNamed("quillon.exe");
    char folder[MAX_PATH] = {};
    char scratch[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "run", 0, scratch) == 0) {
        throw std::runtime_error("no scratch file for the start in " + locale);
    }
    const std::string script = std::string(scratch) + ".sh";
    const auto hostScript = HostPath(script);
    // A quiet run can start and end between two looks at the process list;
    // the shell then tells how it ended. Written whole or not at all. The
    // scratch file keeps the name taken while the process object lives, so
    // that no later start takes it again and reads this one's exit code.
    scratchFile_ = scratch;
    exitFile_ = scratchFile_ + ".exit";
    // One an ended program's shell wrote after its object had gone.
    DeleteFileA(exitFile_.c_str());
    const std::string hostExit = ShellWord(HostPath(exitFile_).value_or(""));
    // Wine names the user's language after the host locale and writes file
    // names in its character set, and a locale the host lacks leaves it
    // English and plain ASCII. The host's own UTF-8 locale under that name,
    // where the C library looks for locales (LOCPATH), gives it both.
    const std::string name = ShellWord(locale);
    std::string command = "locales=\"$WINEPREFIX/locales\"\n"
                          "[ -e \"$locales\"/" + name + " ] || { mkdir -p \"$locales\" && ln -s "
                          "/usr/lib/locale/C.utf8 \"$locales\"/" + name + "; }\n"
                          "LOCPATH=\"$locales\" LC_ALL=" + name + " wine " + ShellWord(exe);
    if (!arguments.empty()) command += " " + arguments;
    {
        std::ofstream file(script, std::ios::binary | std::ios::trunc);
        file << command << " >/dev/null 2>&1\n"
             << "echo $? >" << hostExit << ".part && mv " << hostExit << ".part " << hostExit << "\n";
    }
    std::string commandLine = "Z:\\bin\\sh \"" + hostScript.value_or("") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION shell{};
    const bool started = hostScript && CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr,
                                                      FALSE, 0, nullptr, nullptr, &startup, &shell);
    if (shell.hThread) CloseHandle(shell.hThread);
    if (shell.hProcess) CloseHandle(shell.hProcess);
    // Wine gives no handle of a program the host starts: the new one is
    // the quillon.exe that was not there before.
    WaitUntil(
        [&] {
            for (const DWORD id : ProcessesNamed("quillon.exe")) {
                if (std::find(before.begin(), before.end(), id) != before.end()) continue;
                info_.hProcess = OpenProcess(
                    SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id);
                info_.dwProcessId = id;
                return info_.hProcess != nullptr;
            }
            return EndedUnseen().has_value();
        },
        started ? 30s : 0s);
    DeleteFileA(script.c_str());
    if (info_.hProcess == nullptr && !EndedUnseen()) {
        throw std::runtime_error("cannot start " + exe + " in " + locale);
    }
    LivePrograms().push_back(this);
}

Process::~Process() {
    std::erase(LivePrograms(), this);
    if (::testing::Test::HasFailure()) std::cout << Describe() << std::endl;
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
    if (!exitFile_.empty()) DeleteFileA(exitFile_.c_str());
    if (!scratchFile_.empty()) DeleteFileA(scratchFile_.c_str());
}

std::optional<DWORD> Process::EndedUnseen() const {
    if (info_.hProcess != nullptr || exitFile_.empty()) return std::nullopt;
    std::ifstream file(exitFile_);
    DWORD code = 0;
    if (!(file >> code)) return std::nullopt;
    return code;
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds timeout) {
    if (info_.hProcess == nullptr) return EndedUnseen();
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string Process::Describe() const {
    if (const auto code = EndedUnseen()) {
        return "[ program ] ended with exit code " + std::to_string(*code) + " before it was seen";
    }
    return DescribeProcess(info_.hProcess, Id());
}

bool Process::Running() {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Process::WaitForWindow(std::string_view caption, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            WindowSearch search{info_.dwProcessId, caption};
            EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
            found = search.found;
            return found != nullptr;
        },
        timeout);
    return found;
}

std::vector<std::string> Process::WindowCaptions() {
    std::vector<std::string> captions;
    WindowSearch search{info_.dwProcessId, {}, nullptr, &captions};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return captions;
}

HWND FindControl(HWND window, std::string_view className, std::string_view text) {
    ControlSearch search{className, text};
    EnumChildWindows(window, VisitChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    // WM_GETTEXT is marshalled between processes; GetWindowText of another
    // process's control would not ask it.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

std::vector<std::string> ControlTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<std::string>*>(found)->push_back(WindowText(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool IsEnabled(HWND control) { return IsWindowEnabled(control) != FALSE; }
bool IsVisible(HWND control) { return IsWindowVisible(control) != FALSE; }

bool IsChecked(HWND option) {
    return SendMessageA(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

std::vector<std::string> ListEntries(HWND list) {
    std::vector<std::string> entries;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Wine hands list texts to another process in their wide form
        // whatever the message's form, so ask for that one and convert.
        const auto length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        // Up to three bytes a UTF-16 unit in UTF-8.
        std::string text(wide.size() * 3, '\0');
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(),
                                              static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(bytes > 0 ? static_cast<std::size_t>(bytes - 1) : 0);
        entries.push_back(text);
    }
    return entries;
}

int ListSelection(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                             : nullptr;
}

void SendKeyChord(std::initializer_list<WORD> modifiers, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClearPrinters() { WriteProfileStringA("PrinterPorts", nullptr, nullptr); }

void AddProfilePrinter(const std::string& name, const std::string& value) {
    WriteProfileStringA("PrinterPorts", name.c_str(), value.c_str());
}

void SetDefaultDevice(const std::string& value) {
    WriteProfileStringA("windows", "device", value.empty() ? nullptr : value.c_str());
}

void InstallSpoolerPrinter(const std::string& name, const std::string& port) {
    const std::string path = "System\\CurrentControlSet\\Control\\Print\\Printers\\" + name;
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key) != ERROR_SUCCESS) return;
    auto text = [&](const char* value, const std::string& data) {
        RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    };
    auto number = [&](const char* value, DWORD data) {
        RegSetValueExA(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    };
    text("Name", name);
    text("Port", port);
    text("Printer Driver", "wineps.drv");
    text("Datatype", "RAW");
    text("Print Processor", "WinPrint");
    text("Description", "");
    text("Location", "");
    text("Share Name", "");
    number("Attributes", PRINTER_ATTRIBUTE_LOCAL);
    number("Priority", 0);
    number("Default Priority", 0);
    number("StartTime", 0);
    number("UntilTime", 0);
    number("Status", 0);
    number("dnsTimeout", 15000);
    number("txTimeout", 45000);
    RegCloseKey(key);
}

std::string DefaultDevice() {
    // Whole, however long the printer's name.
    std::string value(4096, '\0');
    value.resize(GetProfileStringA("windows", "device", "", value.data(),
                                   static_cast<DWORD>(value.size())));
    return value;
}

namespace {
constexpr const char* kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
}  // namespace

void SetLegacyDefaultPrinterMode(std::optional<DWORD> mode) {
    if (!mode) {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kWindowsKey, "LegacyDefaultPrinterMode");
        return;
    }
    const DWORD value = *mode;
    RegSetKeyValueA(HKEY_CURRENT_USER, kWindowsKey, "LegacyDefaultPrinterMode", REG_DWORD, &value,
                    sizeof value);
}

std::optional<DWORD> LegacyDefaultPrinterMode() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kWindowsKey, "LegacyDefaultPrinterMode", RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::wstring DefaultDeviceWide() {
    std::wstring value(4096, L'\0');
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                     L"Device", RRF_RT_REG_SZ, nullptr, value.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return value;
}

std::wstring Utf16(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(std::max(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            static_cast<int>(wide.size())),
        0)));
    return wide;
}

void ClearOptions() {
    DeleteTree(HKEY_CURRENT_USER, kSettingsKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kSettingsKey);
}

void StoreOptions(const char* desktop, const char* startup, const char* startupAll) {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS) return;
    const std::pair<const char*, const char*> values[] = {
        {"desktop", desktop}, {"startup", startup}, {"startupall", startupAll}};
    for (const auto& [name, text] : values) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(lstrlenA(text) + 1));
    }
    RegCloseKey(key);
}

std::optional<std::string> StoredOption(HKEY root, const char* name) {
    char value[256] = {};
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegGetValueA(root, kSettingsKey, name, RRF_RT_ANY, &type, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(value);
}

void SetMachineValue(const std::string& keyPath, const std::string& name, DWORD type,
                     const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS) return;
    RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type,
                   reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

void SetMachineString(const std::string& keyPath, const std::string& name,
                      const std::string& text) {
    SetMachineValue(keyPath, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

std::optional<std::string> MachineString(const std::string& keyPath, const std::string& name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.empty() ? nullptr : name.c_str(),
                     RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(value);
}

void DeleteMachineKey(const std::string& keyPath) {
    DeleteTree(HKEY_LOCAL_MACHINE, keyPath.c_str());
}

std::vector<ProcessEntry> ChildProcesses(DWORD parentId) {
    std::vector<ProcessEntry> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId) {
            children.push_back({entry.th32ProcessID, entry.szExeFile});
        }
    }
    CloseHandle(snapshot);
    return children;
}

void EndProcess(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return;
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

HWND WaitForDialog(DWORD processId, std::string_view caption, std::chrono::milliseconds timeout) {
    struct Search {
        DWORD processId;
        std::string_view caption;
        HWND found = nullptr;
    } search{processId, caption};
    WaitUntil(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM parameter) {
                    auto& search = *reinterpret_cast<Search*>(parameter);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    char className[64] = {};
                    GetClassNameA(window, className, sizeof className);
                    if (owner == search.processId && IsWindowVisible(window) &&
                        std::string_view(className) == "#32770" &&
                        WindowText(window) == search.caption) {
                        search.found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeout);
    return search.found;
}

bool ShowsAnIcon(HWND window) {
    bool found = false;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            DWORD_PTR icon = 0;
            if (lstrcmpiA(className, "Static") == 0 &&
                SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) &&
                icon != 0) {
                *reinterpret_cast<bool*>(parameter) = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void ClickLabel(HWND label) {
    RECT client{};
    GetClientRect(label, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageA(label, WM_LBUTTONUP, 0, centre);
}

void SetText(HWND control, const std::string& text) {
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

std::vector<std::uint32_t> ScreenPixels(const RECT& place) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint32_t> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
        GdiFlush();
        // The section holds blue, green, red and a spare byte per pixel.
        const auto* pixel = static_cast<const std::uint32_t*>(bits);
        pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int i = 0; i < width * height; ++i) pixels.push_back(pixel[i] & 0xFFFFFF);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int PixelsOfColour(HWND control, COLORREF colour) {
    RECT place{};
    GetWindowRect(control, &place);
    const std::uint32_t wanted =
        (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const auto pixels = ScreenPixels(place);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), wanted));
}

void SetWineLibraryPreference(const std::string& library, const char* order) {
    const std::string keyPath = "Software\\Wine\\AppDefaults\\quillon.exe\\DllOverrides";
    if (order == nullptr) {
        DeleteTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\quillon.exe");
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, keyPath.c_str(), &key) != ERROR_SUCCESS) return;
    RegSetValueExA(key, library.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                   static_cast<DWORD>(lstrlenA(order) + 1));
    RegCloseKey(key);
}

void SetWineVersion(const char* version) {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine", &key) != ERROR_SUCCESS) return;
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(lstrlenA(version) + 1));
    RegCloseKey(key);
}

std::vector<std::string> Links(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool WriteLink(const std::string& path, const std::string& target) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
    bool written = false;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->SetPath(target.c_str())) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            const std::wstring wide(path.begin(), path.end());
            written = SUCCEEDED(file->Save(wide.c_str(), TRUE));
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return written;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

}  // namespace quillon::e2e
