#include "win32/win32_shell_link.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <span>
#include <string>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

bool IsAccessDenied(HRESULT result) {
    return result == E_ACCESSDENIED || result == STG_E_ACCESSDENIED;
}

// The system's text for a result code, without its line end.
std::string Describe(HRESULT result) {
    std::array<char, 512> buffer{};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(result), 0, buffer.data(),
                                  static_cast<DWORD>(buffer.size()), nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                          buffer[length - 1] == ' ')) {
        --length;
    }
    if (length > 0) return std::string(buffer.data(), length);
    std::array<char, 32> code{};
    wsprintfA(code.data(), "Error 0x%08lX", static_cast<unsigned long>(result));
    return code.data();
}

int BufferSize(std::span<char> buffer) {
    return static_cast<int>(std::min<std::size_t>(buffer.size(), INT_MAX));
}

// Whether the file is there under its full name. A file system that holds
// fewer characters of a name may keep the file under the name cut short
// (and so without ".lnk": no shortcut the shell runs), and still find it
// when asked by the full name; the name it lists tells.
bool StoredUnderItsName(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const unique_find search(FindFirstFileW(path.c_str(), &found));
    const auto slash = path.find_last_of(L'\\');
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return search && lstrcmpiW(found.cFileName, name.c_str()) == 0;
}

class ComShellLink final : public ShellLink {
public:
    ComShellLink(unique_com<IShellLinkA> link, unique_com<IPersistFile> file) noexcept
        : link_(std::move(link)), file_(std::move(file)) {}

    bool SetPath(std::string_view path) override {
        return Check(link_->SetPath(std::string(path).c_str()));
    }
    bool SetIconLocation(std::string_view file, int index) override {
        return Check(link_->SetIconLocation(std::string(file).c_str(), index));
    }
    bool SetShowCmd(int showCommand) override { return Check(link_->SetShowCmd(showCommand)); }
    bool SetHotkey(std::uint16_t hotKey) override { return Check(link_->SetHotkey(hotKey)); }
    bool SetWorkingDirectory(std::string_view folder) override {
        return Check(link_->SetWorkingDirectory(std::string(folder).c_str()));
    }
    bool SetArguments(std::string_view arguments) override {
        return Check(link_->SetArguments(std::string(arguments).c_str()));
    }
    bool SetDescription(std::string_view description) override {
        return Check(link_->SetDescription(std::string(description).c_str()));
    }
    bool Resolve(std::uintptr_t ownerWindow, std::uint32_t flags) override {
        return Check(link_->Resolve(reinterpret_cast<HWND>(ownerWindow), flags));
    }
    bool Save(std::string_view linkFile) override {
        const std::wstring path = Widen(linkFile);
        return !path.empty() && Check(file_->Save(path.c_str(), FALSE)) &&
               StoredUnderItsName(path);
    }
    bool Load(std::string_view linkFile) override {
        return Check(file_->Load(Widen(linkFile).c_str(), STGM_READ));
    }
    bool GetPath(std::span<char> buffer, std::uint32_t flags) override {
        WIN32_FIND_DATAA found{};
        return Check(link_->GetPath(buffer.data(), BufferSize(buffer), &found, flags));
    }
    bool GetWorkingDirectory(std::span<char> buffer) override {
        return Check(link_->GetWorkingDirectory(buffer.data(), BufferSize(buffer)));
    }
    bool GetArguments(std::span<char> buffer) override {
        return Check(link_->GetArguments(buffer.data(), BufferSize(buffer)));
    }
    bool GetDescription(std::span<char> buffer) override {
        return Check(link_->GetDescription(buffer.data(), BufferSize(buffer)));
    }
    bool GetHotkey(std::uint16_t& hotKey) override {
        WORD value = 0;
        if (!Check(link_->GetHotkey(&value))) return false;
        hotKey = value;
        return true;
    }
    bool GetIconLocation(std::span<char> buffer, int& index) override {
        int value = 0;
        if (!Check(link_->GetIconLocation(buffer.data(), BufferSize(buffer), &value))) return false;
        index = value;
        return true;
    }
    bool GetShowCmd(int& showCommand) override {
        int value = 0;
        if (!Check(link_->GetShowCmd(&value))) return false;
        showCommand = value;
        return true;
    }

    ShellFailure LastFailure() const override { return FailureOf(last_); }

private:
    bool Check(HRESULT result) {
        last_ = result;
        return SUCCEEDED(result);
    }

    unique_com<IShellLinkA> link_;
    unique_com<IPersistFile> file_;
    HRESULT last_ = S_OK;
};

}  // namespace

ShellFailure FailureOf(HRESULT result) {
    if (IsAccessDenied(result)) return {.accessDenied = true, .text = {}};
    return {.accessDenied = false, .text = Describe(result)};
}

std::unique_ptr<ShellLink> CreateWin32ShellLink(ShellFailure& failure) {
    unique_com<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, link.out_void());
    unique_com<IPersistFile> file;
    if (SUCCEEDED(result)) result = link.query(IID_IPersistFile, file);
    if (SUCCEEDED(result) && file) {
        return std::make_unique<ComShellLink>(std::move(link), std::move(file));
    }
    failure = FailureOf(FAILED(result) ? result : E_NOINTERFACE);
    return nullptr;
}

}  // namespace quillon::platform::win32
