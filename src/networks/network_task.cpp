#include "networks/network_task.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "base/run_events.h"
#include "base/text.h"
#include "settings/settings_store.h"

namespace quillon::networks {
namespace {

// The five characters XML does not take as themselves in text.
std::string Escaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

// Windows logs 10000 when it has connected a network and knows which one it
// is (resume, docking, a new Wi-Fi), and 10001 when it has disconnected one
// (undocking, a VPN ending, Wi-Fi lost while the cable stays).
constexpr std::string_view kNetworkChangedQuery =
    "<QueryList><Query Id=\"0\" Path=\"Microsoft-Windows-NetworkProfile/Operational\">"
    "<Select Path=\"Microsoft-Windows-NetworkProfile/Operational\">"
    "*[System[(EventID=10000 or EventID=10001)]]</Select></Query></QueryList>";

// Windows' file names are the same in any letter case.
bool SameText(std::string_view a, std::string_view b) { return text::ToLower(a) == text::ToLower(b); }

// The program a task starts, as the scheduler gives it back, without the
// quotes it was registered in.
std::string_view Unquoted(std::string_view registered) {
    if (registered.size() >= 2 && registered.front() == '"' && registered.back() == '"') {
        registered = registered.substr(1, registered.size() - 2);
    }
    return registered;
}

// The version a registration carries; 0 for none, as registered before
// versions were carried.
int DefinitionVersion(std::string_view text) {
    int version = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), version);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? version : 0;
}

// The program the task is to start, in its long form (see EnsureNetworkTask).
std::string TaskProgram(RunState& state, const std::optional<platform::RegisteredTask>& task) {
    auto& files = state.os.files;
    std::string installed = files.LongPath(settings::RegGetString(
        state.os.registry, platform::RegistryRoot::LocalMachine, settings::kSettingsKey, kInstalledProgramValue, ""));
    if (!installed.empty()) return installed;
    if (task) {
        std::string named = files.LongPath(Unquoted(task->program));
        if (!named.empty()) return named;
    }
    return state.os.system.ProgramPath();
}

// Who may change a file or folder so as to put another program in the
// program's place, by the rights an access mask gives.
constexpr std::uint32_t kWriteData = 0x2;     // a folder's: add a file
constexpr std::uint32_t kAppendData = 0x4;    // a folder's: add a folder (".local" redirects libraries)
constexpr std::uint32_t kDeleteChild = 0x40;  // delete what a folder holds
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kWriteDac = 0x40000;
constexpr std::uint32_t kWriteOwner = 0x80000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kReplacingAbove = kDeleteChild | kDelete | kWriteDac | kWriteOwner | kGenericAll;
constexpr std::uint32_t kReplacingFolder = kReplacingAbove | kWriteData | kAppendData | kGenericWrite;
constexpr std::uint32_t kReplacingFile = kDelete | kWriteDac | kWriteOwner | kGenericAll | kWriteData |
                                         kAppendData | kGenericWrite;

// Administrators, SYSTEM and TrustedInstaller can change any program
// anyway. CREATOR OWNER and CREATOR GROUP allow nobody on the object
// itself, and OWNER RIGHTS allows its owner, who is judged as the owner.
bool Trusted(std::string_view sid, std::string_view user) {
    static constexpr std::array<std::string_view, 6> kTrusted{
        "S-1-5-32-544", "S-1-5-18", "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
        "S-1-3-0",      "S-1-3-1",  "S-1-3-4"};
    return SameText(sid, user) || std::find(kTrusted.begin(), kTrusted.end(), sid) != kTrusted.end();
}

bool OthersMayChange(const platform::FileSecurity& security, std::uint32_t rights, std::string_view user) {
    // An owner may always rewrite the access list.
    if (!security.owner.empty() && !Trusted(security.owner, user)) return true;
    return std::any_of(security.allowed.begin(), security.allowed.end(), [&](const auto& entry) {
        return (entry.rights & rights) != 0 && !Trusted(entry.sid, user);
    });
}

// The account of this run, where it may have a task: nothing for an
// account the system cannot tell, or a service account.
std::optional<platform::Account> TaskAccount(RunState& state, TaskChange& refusal) {
    platform::Account account = state.os.scheduler.CurrentAccount();
    if (account.sid.empty()) {
        refusal = TaskChange::AccountUnknown;
        state.WriteDiagnostic("network task: the account is unknown");
        return std::nullopt;
    }
    if (IsServiceAccount(account.sid)) {
        refusal = TaskChange::NotForThisAccount;
        state.WriteDiagnostic("network task left alone: a service account");
        return std::nullopt;
    }
    return account;
}

// Removes the account's tasks but the one of that name: those it had under
// an older name of the account (renamed, or its name once not carried). A
// task whose account the scheduler does not tell is not taken for the
// user's; where the scheduler cannot list its tasks, older ones stay.
bool RemoveOtherTasks(RunState& state, const platform::Account& account, std::string_view keep) {
    auto& scheduler = state.os.scheduler;
    const auto tasks = scheduler.Tasks(kNetworkTaskPrefix);
    if (!tasks) return true;
    bool removed = true;
    for (const auto& task : *tasks) {
        if (!SameText(task.name, keep) && SameText(task.sid, account.sid)) {
            removed = scheduler.Remove(task.name) && removed;
        }
    }
    return removed;
}

}  // namespace

std::string NetworkTaskName(const platform::Account& account) {
    // A task name takes no backslash; account and domain names take no
    // other character a task name refuses.
    std::string name =
        std::string(kNetworkTaskPrefix) + (account.name.empty() ? account.sid : account.name) + ")";
    std::replace(name.begin(), name.end(), '\\', ' ');
    return name;
}

bool NetworkSwitchingAvailable(const RunState& state) { return state.IsWindows6OrLater; }

bool IsServiceAccount(std::string_view sid) {
    return sid == "S-1-5-18" || sid == "S-1-5-19" || sid == "S-1-5-20";
}

std::string NetworkTaskDefinition(std::string_view programPath, std::string_view sid) {
    const std::string userId = Escaped(sid);
    // Each network event starts the task five seconds after it, so a burst
    // (docking brings Ethernet and Wi-Fi within a second, Wi-Fi brings an
    // automatic VPN) has settled when the run of its last event looks. The
    // scheduler's instance policies: IgnoreNew, its default, would drop
    // that last run while an earlier one is still going, and Queue would
    // run once for every event; StopExisting ends the run going before it
    // starts the new one, so one run goes at a time and the last event's
    // always comes. What a run cut short had done (the default, the
    // broadcast) the next one does again.
    // The other settings: the scheduler's defaults would keep a laptop on
    // battery from ever starting it; a run takes a second or two, so one
    // still going after a minute hangs and is ended.
    return "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
           "<RegistrationInfo><Version>" + std::to_string(kNetworkTaskVersion) + "</Version></RegistrationInfo>"
           "<Triggers>"
           "<LogonTrigger><Enabled>true</Enabled><UserId>" + userId + "</UserId></LogonTrigger>"
           "<EventTrigger><Enabled>true</Enabled><Subscription>" +
           Escaped(kNetworkChangedQuery) +
           "</Subscription><Delay>PT5S</Delay></EventTrigger>"
           "</Triggers>"
           "<Principals><Principal id=\"Author\"><UserId>" + userId + "</UserId>"
           "<LogonType>InteractiveToken</LogonType><RunLevel>LeastPrivilege</RunLevel>"
           "</Principal></Principals>"
           "<Settings>"
           "<MultipleInstancesPolicy>StopExisting</MultipleInstancesPolicy>"
           "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
           "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>"
           "<ExecutionTimeLimit>PT1M</ExecutionTimeLimit>"
           "<Enabled>true</Enabled>"
           "</Settings>"
           "<Actions Context=\"Author\"><Exec>"
           "<Command>&quot;" + Escaped(programPath) + "&quot;</Command>"
           "<Arguments>/network /q /nogui</Arguments>"
           "</Exec></Actions>"
           "</Task>";
}

std::string ChangeableByOthers(platform::Files& files, std::string_view program, std::string_view sid) {
    std::string path(program);
    for (int level = 0;; ++level) {
        const std::uint32_t rights = level == 0 ? kReplacingFile : level == 1 ? kReplacingFolder : kReplacingAbove;
        const auto security = files.Security(path);
        if (security && OthersMayChange(*security, rights, sid)) return path;
        // Up to the drive's root, "C:\", and no further.
        const auto slash = path.rfind('\\');
        if (path.ends_with(":\\") || slash == std::string::npos || slash == 0) return {};
        path.resize(slash);
        if (path.ends_with(':')) path += '\\';
    }
}

namespace {

// Registers the account's task to start the program, unless others may
// change the program; a task of an older name of the account goes.
TaskChange RegisterTask(RunState& state, const platform::Account& account, const std::string& program) {
    const std::string name = NetworkTaskName(account);
    if (program.empty()) {
        state.WriteDiagnostic("network task not registered: the code page cannot carry the program's path");
        return TaskChange::ProgramUnknown;
    }
    if (const std::string changeable = ChangeableByOthers(state.os.files, program, account.sid); !changeable.empty()) {
        state.WriteDiagnostic("network task not registered: others may change " + changeable);
        events::ReportTaskProgramChangeable(state, program, changeable);
        return TaskChange::ProgramChangeable;
    }
    if (!state.os.scheduler.Register(name, NetworkTaskDefinition(program, account.sid))) {
        state.WriteDiagnostic("network task refused");
        return TaskChange::Refused;
    }
    // A user's old task left beside the new one would run twice, or go on
    // switching after the user turned switching off.
    const bool alone = RemoveOtherTasks(state, account, name);
    state.WriteDiagnostic(alone ? "network task registered for " + program
                                : "network task registered; an older one could not be removed");
    return alone ? TaskChange::Done : TaskChange::OlderTaskStays;
}

}  // namespace

TaskChange EnsureNetworkTask(RunState& state) {
    TaskChange refusal{};
    const auto account = TaskAccount(state, refusal);
    if (!account) return refusal;
    return RegisterTask(state, *account, TaskProgram(state, state.os.scheduler.Registered(NetworkTaskName(*account))));
}

TaskChange RemoveNetworkTask(RunState& state) {
    TaskChange refusal{};
    const auto account = TaskAccount(state, refusal);
    if (!account) return refusal;
    const bool removed =
        state.os.scheduler.Remove(NetworkTaskName(*account)) && RemoveOtherTasks(state, *account, "");
    state.WriteDiagnostic(removed ? "network task removed" : "network task could not be removed");
    return removed ? TaskChange::Done : TaskChange::Refused;
}

TaskChange KeepNetworkTask(RunState& state) {
    TaskChange refusal{};
    const auto account = TaskAccount(state, refusal);
    if (!account) return refusal;
    const auto task = state.os.scheduler.Registered(NetworkTaskName(*account));
    const std::string program = TaskProgram(state, task);
    if (task && DefinitionVersion(task->version) >= kNetworkTaskVersion &&
        SameText(state.os.files.LongPath(Unquoted(task->program)), program)) {
        return TaskChange::Done;
    }
    state.WriteDiagnostic(!task ? std::string("network task missing")
                                : "network task of version " + task->version + " starts " + task->program);
    return RegisterTask(state, *account, program);
}

bool RemoveEveryNetworkTask(RunState& state) {
    auto& scheduler = state.os.scheduler;
    const auto tasks = scheduler.Tasks(kNetworkTaskPrefix);
    if (!tasks) return false;
    bool removed = true;
    for (const auto& task : *tasks) removed = scheduler.Remove(task.name) && removed;
    return removed;
}

}  // namespace quillon::networks
