#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace quillon::win32_tests {

using platform::win32::unique_handle;
using platform::win32::unique_hkey;

namespace {

constexpr DWORD kChildTimeoutMs = 60000;

std::string ModuleFolder() {
    char path[MAX_PATH]{};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

}  // namespace

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string ChildPath() { return ModuleFolder() + "\\quillon_win32_child.exe"; }

unique_handle StartChild(const std::string& commandLine) {
    const std::string application = ChildPath();
    std::string mutableLine = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return unique_handle{};
    }
    unique_handle thread(process.hThread);
    return unique_handle(process.hProcess);
}

std::optional<DWORD> WaitChild(const unique_handle& process) {
    if (!process) return std::nullopt;
    if (WaitForSingleObject(process.get(), kChildTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 255);
        return std::nullopt;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process.get(), &code)) return std::nullopt;
    return code;
}

std::optional<DWORD> RunChild(const std::string& commandLine) {
    return WaitChild(StartChild(commandLine));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value)
    : name_(std::move(name)) {
    const DWORD size = GetEnvironmentVariableA(name_.c_str(), nullptr, 0);
    if (size != 0) {
        std::string previous(size, '\0');
        previous.resize(GetEnvironmentVariableA(name_.c_str(), previous.data(), size));
        previous_ = previous;
    }
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

TempFolder::TempFolder() {
    static int counter = 0;
    char base[MAX_PATH + 1]{};
    GetTempPathA(MAX_PATH + 1, base);
    path_ = std::string(base) + "quillon-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

RegistryValueRestorer::RegistryValueRestorer(HKEY root, std::string keyPath,
                                             std::string valueName)
    : root_(root), keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    unique_hkey key;
    if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) {
        return;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName_.c_str(), nullptr, &previousType_, nullptr,
                         &size) != ERROR_SUCCESS) {
        return;
    }
    std::string data(size, '\0');
    if (RegQueryValueExA(key.get(), valueName_.c_str(), nullptr, &previousType_,
                         reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
        data.resize(size);
        previous_ = data;
    }
}

RegistryValueRestorer::~RegistryValueRestorer() {
    unique_hkey key;
    if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_SET_VALUE, key.out()) != ERROR_SUCCESS) {
        return;
    }
    if (previous_) {
        RegSetValueExA(key.get(), valueName_.c_str(), 0, previousType_,
                       reinterpret_cast<const BYTE*>(previous_->data()),
                       static_cast<DWORD>(previous_->size()));
    } else {
        RegDeleteValueA(key.get(), valueName_.c_str());
    }
}

}  // namespace quillon::win32_tests
