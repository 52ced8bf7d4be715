#include "win32/win32_task_scheduler.h"

#include <windows.h>
#include <sddl.h>
#include <taskschd.h>

#include <string>
#include <vector>

#include "win32/process_user.h"
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

std::wstring_view Text(const unique_bstr& text) { return {text.get(), SysStringLen(text.get())}; }

// The identifier of the account: "S-1-5-21-...".
std::string SidText(PSID sid) {
    unique_local<wchar_t> text;
    if (!ConvertSidToStringSidW(sid, text.out())) return {};
    // Digits, letters and dashes: every code page carries them.
    return Narrow(text.get());
}

// The identifier of the user a registered task runs as, whether its
// principal names the account by identifier, as this program registers
// it, or by name; "" where the scheduler does not say or the name is no
// account's.
std::string UserOf(IRegisteredTask& task) {
    unique_com<ITaskDefinition> definition;
    unique_com<IPrincipal> principal;
    unique_bstr user;
    if (FAILED(task.get_Definition(definition.out())) || !definition ||
        FAILED(definition->get_Principal(principal.out())) || !principal ||
        FAILED(principal->get_UserId(user.out())) || !user) {
        return {};
    }
    const std::wstring name(Text(user));
    if (name.starts_with(L"S-1-")) return Narrow(name);
    DWORD sidSize = 0, domainSize = 0;
    SID_NAME_USE use{};
    LookupAccountNameW(nullptr, name.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
    std::vector<unsigned char> sid(sidSize);
    std::wstring domain(domainSize, L'\0');
    if (sidSize == 0 ||
        !LookupAccountNameW(nullptr, name.c_str(), sid.data(), &sidSize, domain.data(), &domainSize, &use)) {
        return {};
    }
    return SidText(sid.data());
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

// The account the process runs as, from its token: the identifier as the
// scheduler takes it, and the name the account database gives it, which
// not every system's scheduler tells.
Account Win32TaskScheduler::CurrentAccount() {
    std::vector<unsigned char> user = ProcessUserSid();
    if (user.empty()) return {};
    const PSID sid = user.data();
    Account account{SidText(sid), {}};
    if (account.sid.empty()) return {};
    std::wstring name(257, L'\0'), domain(257, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD domainSize = static_cast<DWORD>(domain.size());
        SID_NAME_USE use{};
        if (LookupAccountSidW(nullptr, sid, name.data(), &nameSize, domain.data(), &domainSize, &use)) {
            name.resize(nameSize);
            domain.resize(domainSize);
            const std::string readable = NarrowExactly(domain) + "\\" + NarrowExactly(name);
            // A character the code page lacks would name another account.
            if (!name.empty() && readable.find(kUncarriedCharacter) == std::string::npos) {
                account.name = readable;
            }
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        name.resize(nameSize);
        domain.resize(domainSize);
    }
    return account;
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

std::optional<std::string> Win32TaskScheduler::Program(std::string_view name) {
    Connection* connection = Connect();
    const unique_bstr path = Bstr(name);
    unique_com<IRegisteredTask> task;
    if (connection == nullptr || !path || FAILED(connection->root->GetTask(path.get(), task.out())) ||
        !task) {
        return std::nullopt;
    }
    unique_com<ITaskDefinition> definition;
    unique_com<IActionCollection> actions;
    unique_com<IAction> action;
    unique_com<IExecAction> exec;
    unique_bstr program;
    if (FAILED(task->get_Definition(definition.out())) || !definition ||
        FAILED(definition->get_Actions(actions.out())) || !actions ||
        FAILED(actions->get_Item(1, action.out())) || !action ||
        FAILED(action.query(__uuidof(IExecAction), exec)) || !exec ||
        FAILED(exec->get_Path(program.out())) || !program) {
        return std::string();
    }
    return Narrow(Text(program));
}

std::optional<std::vector<ScheduledTask>> Win32TaskScheduler::Tasks(std::string_view prefix) {
    Connection* connection = Connect();
    unique_com<IRegisteredTaskCollection> tasks;
    LONG count = 0;
    if (connection == nullptr || FAILED(connection->root->GetTasks(TASK_ENUM_HIDDEN, tasks.out())) ||
        !tasks || FAILED(tasks->get_Count(&count))) {
        return std::nullopt;
    }
    std::vector<ScheduledTask> found;
    const std::wstring widePrefix = Widen(prefix);
    for (LONG index = 1; index <= count; ++index) {
        VARIANT item = Nothing();
        item.vt = VT_I4;
        item.lVal = index;
        unique_com<IRegisteredTask> task;
        unique_bstr name;
        if (FAILED(tasks->get_Item(item, task.out())) || !task || FAILED(task->get_Name(name.out())) ||
            !name || !Text(name).starts_with(widePrefix)) {
            continue;
        }
        found.push_back({Narrow(Text(name)), UserOf(*task.get())});
    }
    return found;
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
