#include "win32/win32_task_scheduler.h"

#include <windows.h>
#include <taskschd.h>

#include <string>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

// The scheduler's class, spelt out: not every toolchain's uuid library
// carries it.
constexpr CLSID kTaskScheduler = {
    0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

unique_bstr Bstr(std::string_view text) {
    const std::wstring wide = Widen(text);
    return unique_bstr(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

// An argument left out: a VARIANT of nothing.
VARIANT Nothing() {
    VARIANT nothing;
    VariantInit(&nothing);
    return nothing;
}

}  // namespace

// Released in the reverse order: the folder, the service, then COM.
struct Win32TaskScheduler::Connection {
    unique_couninitialize com;
    unique_com<ITaskService> service;
    unique_com<ITaskFolder> root;
};

Win32TaskScheduler::Win32TaskScheduler() = default;
Win32TaskScheduler::~Win32TaskScheduler() = default;

Win32TaskScheduler::Connection* Win32TaskScheduler::Connect() {
    if (connectTried_) return connection_.get();
    connectTried_ = true;
    auto connection = std::make_unique<Connection>();
    // A thread already in another apartment can still use the scheduler.
    if (!connection->com && connection->com.result() != RPC_E_CHANGED_MODE) {
        connectError_ = connection->com.result();
        return nullptr;
    }
    const unique_bstr rootPath = Bstr("\\");
    HRESULT result = rootPath ? S_OK : E_OUTOFMEMORY;
    if (SUCCEEDED(result)) {
        result = CoCreateInstance(kTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                                  connection->service.out_void());
    }
    if (SUCCEEDED(result)) result = connection->service->Connect(Nothing(), Nothing(), Nothing(), Nothing());
    if (SUCCEEDED(result)) result = connection->service->GetFolder(rootPath.get(), connection->root.out());
    if (SUCCEEDED(result) && !connection->root) result = E_POINTER;
    if (FAILED(result)) {
        connectError_ = result;
        return nullptr;
    }
    connection_ = std::move(connection);
    return connection_.get();
}

// The account the process runs as, named by the account database rather
// than by the scheduler, which not every system's scheduler tells.
std::string Win32TaskScheduler::CurrentUser() {
    unique_handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.out())) return {};
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
    std::wstring name(257, L'\0'), domain(257, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD domainSize = static_cast<DWORD>(domain.size());
        SID_NAME_USE use{};
        if (LookupAccountSidW(nullptr, sid, name.data(), &nameSize, domain.data(), &domainSize, &use)) {
            name.resize(nameSize);
            domain.resize(domainSize);
            // A character the code page lacks would name another account.
            return name.empty() ? std::string()
                                : NarrowExactly(domain) + "\\" + NarrowExactly(name);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        name.resize(nameSize);
        domain.resize(domainSize);
    }
    return {};
}

bool Win32TaskScheduler::Register(std::string_view name, std::string_view definition) {
    Connection* connection = Connect();
    const unique_bstr path = Bstr(name), xml = Bstr(definition), noSecurity = Bstr("");
    if (connection == nullptr) return Succeeded(connectError_);
    if (!path || !xml || !noSecurity) return Succeeded(E_OUTOFMEMORY);
    // The definition's own principal says whom the task runs as: no
    // account or password here, and only while that user is logged on.
    VARIANT sddl = Nothing();
    sddl.vt = VT_BSTR;
    sddl.bstrVal = noSecurity.get();
    unique_com<IRegisteredTask> task;
    return Succeeded(connection->root->RegisterTask(path.get(), xml.get(), TASK_CREATE_OR_UPDATE, Nothing(),
                                                  Nothing(), TASK_LOGON_INTERACTIVE_TOKEN, sddl, task.out()));
}

bool Win32TaskScheduler::Exists(std::string_view name) {
    Connection* connection = Connect();
    const unique_bstr path = Bstr(name);
    unique_com<IRegisteredTask> task;
    return connection != nullptr && path &&
           SUCCEEDED(connection->root->GetTask(path.get(), task.out())) && task;
}

bool Win32TaskScheduler::Remove(std::string_view name) {
    Connection* connection = Connect();
    const unique_bstr path = Bstr(name);
    if (connection == nullptr) return Succeeded(connectError_);
    if (!path) return Succeeded(E_OUTOFMEMORY);
    const HRESULT result = connection->root->DeleteTask(path.get(), 0);
    return Succeeded(result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ? S_OK : result);
}

std::uint32_t Win32TaskScheduler::LastError() { return static_cast<std::uint32_t>(lastError_); }

bool Win32TaskScheduler::Succeeded(long result) {
    lastError_ = SUCCEEDED(result) ? S_OK : result;
    return SUCCEEDED(result);
}

}  // namespace quillon::platform::win32
