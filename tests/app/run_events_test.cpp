#include <gtest/gtest.h>

#include "base/run_events.h"
#include "fakes/harness.h"
#include "networks/network_choices.h"
#include "networks/network_task.h"
#include "test_names.h"

namespace quillon {
namespace {

using platform::EventType;
using platform::RegistryRoot;

// How the scheduler answers a policy's run.
enum class Scheduler { Refuses, KeepsOlderTask, UnknownAccount };

struct RunEventCase {
    const char* commandLine;
    const char* officeChoice;  // the user's printer for the connected network "Office"; nullptr: none
    bool refusedProfile;       // the profile refuses the new default
    bool nobodySees;
    const char* policy;        // "networkpolicy": "1" the task, "2" none, "" no policy
    std::optional<int> exitCode;
    std::optional<fakes::FakeEventLog::Event> event;
    Scheduler scheduler = Scheduler::Refuses;
};

class RunEvents : public ::testing::TestWithParam<RunEventCase> {};

// Which run writes which event: only runs that no window answered for, and
// of the runs that went well only a network's switch.
TEST_P(RunEvents, OnlyRunsNobodyWatchesWriteThem) {
    const auto& c = GetParam();
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("Laser 4");
    run.networks.Connect("Office");
    if (c.officeChoice) {
        run.registry.SetSz(RegistryRoot::CurrentUser, networks::kNetworksKey, "Office", c.officeChoice);
    }
    run.profile.failWrites = c.refusedProfile;
    run.system.windowStationVisible = !c.nobodySees;
    run.registry.SetSz(RegistryRoot::LocalMachine, settings::kSettingsKey, "networkpolicy", c.policy);
    run.scheduler.refuses = c.scheduler == Scheduler::Refuses;
    if (c.scheduler == Scheduler::KeepsOlderTask) {
        run.scheduler.refusesRemoval = true;
        run.scheduler.tasks["Quillon network printer (PC olduser)"] =
            networks::NetworkTaskDefinition("C:\\old\\quillon.exe", run.scheduler.account.sid);
    }
    if (c.scheduler == Scheduler::UnknownAccount) run.scheduler.account = {};
    if (std::string_view(c.policy) == "2") run.scheduler.tasks[networks::NetworkTaskName(run.scheduler.account)] = "";

    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    const auto expected = c.event ? std::vector{*c.event} : std::vector<fakes::FakeEventLog::Event>{};
    EXPECT_EQ(run.eventLog.events, expected);
}

using Event = fakes::FakeEventLog::Event;
constexpr auto kInformation = EventType::Information;
constexpr auto kWarning = EventType::Warning;
constexpr auto kError = EventType::Error;
// The scheduler's refusal: E_ACCESSDENIED.
constexpr const char* kUser = "PC\\user";
constexpr const char* kDenied = "0x80070005";
constexpr const char* kDeniedText = "text of 2147942405";

INSTANTIATE_TEST_SUITE_P(
    Runs, RunEvents,
    ::testing::Values(
        RunEventCase{"/q /nogui laser 4", nullptr, false, false, "", 0, {}},
        RunEventCase{"/q /nogui \"Fax Room\"", nullptr, false, false, "", 1, Event{kWarning, 2001, {"Fax Room"}}},
        RunEventCase{"/q \"Fax Room\"", nullptr, false, false, "", {}, {}},  // the window opens with the list
        RunEventCase{"/network /q /nogui", "laser 4", false, false, "", 0,
                     Event{kInformation, 1000, {"Office", "Laser 4", "Office"}}},
        RunEventCase{"/network", "laser 4", false, false, "", 0, {}},  // the confirmation tells of the switch
        RunEventCase{"/network /q /nogui", "Plotter", false, false, "", 1,
                     Event{kWarning, 2002, {"Plotter", "Office", "Office"}}},
        RunEventCase{"/network /q /nogui", nullptr, false, false, "", 1, {}},  // no choice: nothing to do
        RunEventCase{"laser 4 /q", nullptr, true, false, "", 2, Event{kError, 3001, {"Laser 4", "5", "text of 5"}}},
        RunEventCase{"laser 4", nullptr, true, false, "", 2, {}},  // the message box tells of it
        RunEventCase{"", nullptr, false, true, "", 1, Event{kWarning, 2003, {""}}},
        RunEventCase{"/network /q /nogui", nullptr, false, false, "1", 1,
                     Event{kError, 3002, {kUser, kDenied, kDeniedText}}},
        RunEventCase{"/network /q /nogui", nullptr, false, false, "2", 1,
                     Event{kError, 3003, {kUser, kDenied, kDeniedText}}},
        // Registered: the task switches, though the older one stays.
        RunEventCase{"/network /q /nogui", nullptr, false, false, "1", 1, {}, Scheduler::KeepsOlderTask},
        RunEventCase{"/network /q /nogui", nullptr, false, false, "1", 1, {}, Scheduler::UnknownAccount}),
    [](const auto& info) {
        return testing_names::FromText(std::string(info.param.commandLine) + " " + info.param.policy, info.index);
    });

}  // namespace
}  // namespace quillon
