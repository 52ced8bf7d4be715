#include "networks/network_task.h"

#include <algorithm>

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

// Windows logs this when it has connected a network and knows which one it
// is (resume, docking, a new Wi-Fi), so the network's name can be read.
constexpr std::string_view kNetworkConnectedQuery =
    "<QueryList><Query Id=\"0\" Path=\"Microsoft-Windows-NetworkProfile/Operational\">"
    "<Select Path=\"Microsoft-Windows-NetworkProfile/Operational\">"
    "*[System[EventID=10000]]</Select></Query></QueryList>";

std::string ProgramPath(RunState& state) {
    return state.os.system.ExecutableFolder() + "\\" + state.os.system.ExecutableName() + ".exe";
}

}  // namespace

std::string NetworkTaskName(std::string_view user) {
    // A task name takes no backslash; account and domain names take no
    // other character a task name refuses.
    std::string name = std::string(kNetworkTaskName) + " (" + std::string(user) + ")";
    std::replace(name.begin(), name.end(), '\\', ' ');
    return name;
}

bool NetworkTaskExists(RunState& state) {
    const std::string user = state.os.scheduler.CurrentUser();
    return !user.empty() && state.os.scheduler.Exists(NetworkTaskName(user));
}

std::string NetworkTaskDefinition(std::string_view programPath, std::string_view user) {
    const std::string userId = Escaped(user);
    // Settings: the scheduler's defaults would keep a laptop on battery from
    // ever starting it, and queue one run per event of a burst; a run takes
    // a second or two, so one still going after a minute hangs and is ended.
    return "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
           "<Triggers>"
           "<LogonTrigger><Enabled>true</Enabled><UserId>" + userId + "</UserId></LogonTrigger>"
           "<EventTrigger><Enabled>true</Enabled><Subscription>" +
           Escaped(kNetworkConnectedQuery) +
           "</Subscription></EventTrigger>"
           "</Triggers>"
           "<Principals><Principal id=\"Author\"><UserId>" + userId + "</UserId>"
           "<LogonType>InteractiveToken</LogonType><RunLevel>LeastPrivilege</RunLevel>"
           "</Principal></Principals>"
           "<Settings>"
           "<MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>"
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

bool EnsureNetworkTask(RunState& state) {
    const std::string user = state.os.scheduler.CurrentUser();
    // A task for nobody in particular would start at every user's log-on.
    if (user.empty()) return false;
    const bool registered = state.os.scheduler.Register(
        NetworkTaskName(user), NetworkTaskDefinition(ProgramPath(state), user));
    state.WriteDiagnostic(registered ? "network task registered" : "network task refused");
    return registered;
}

bool RemoveNetworkTask(RunState& state) {
    const std::string user = state.os.scheduler.CurrentUser();
    const bool removed = !user.empty() && state.os.scheduler.Remove(NetworkTaskName(user));
    state.WriteDiagnostic(removed ? "network task removed" : "network task could not be removed");
    return removed;
}

}  // namespace quillon::networks
