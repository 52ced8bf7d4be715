#include "networks/network_task.h"

#include <algorithm>

#include "base/text.h"

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

std::string ProgramPath(RunState& state) {
    return state.os.system.ExecutableFolder() + "\\" + state.os.system.ExecutableName() + ".exe";
}

bool SameText(std::string_view a, std::string_view b) { return text::ToLower(a) == text::ToLower(b); }

// Whether the program a task starts, as the scheduler gives it back, is the
// one at that path.
bool SameProgram(std::string_view registered, std::string_view programPath) {
    if (registered.size() >= 2 && registered.front() == '"' && registered.back() == '"') {
        registered = registered.substr(1, registered.size() - 2);
    }
    // Windows' file names are the same in any letter case.
    return SameText(registered, programPath);
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

TaskChange EnsureNetworkTask(RunState& state) {
    TaskChange refusal{};
    const auto account = TaskAccount(state, refusal);
    if (!account) return refusal;
    const std::string name = NetworkTaskName(*account);
    const bool registered =
        state.os.scheduler.Register(name, NetworkTaskDefinition(ProgramPath(state), account->sid));
    // A user's old task left beside the new one would run twice, or go on
    // switching after the user turned switching off.
    if (!registered) {
        state.WriteDiagnostic("network task refused");
        return TaskChange::Refused;
    }
    const bool alone = RemoveOtherTasks(state, *account, name);
    state.WriteDiagnostic(alone ? "network task registered"
                                : "network task registered; an older one could not be removed");
    return alone ? TaskChange::Done : TaskChange::OlderTaskStays;
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
    const auto program = state.os.scheduler.Program(NetworkTaskName(*account));
    if (program && SameProgram(*program, ProgramPath(state))) return TaskChange::Done;
    state.WriteDiagnostic(program ? "network task starts " + *program : "network task missing");
    return EnsureNetworkTask(state);
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
