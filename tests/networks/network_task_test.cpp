#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "fakes/harness.h"
#include "networks/network_task.h"

namespace quillon::networks {
namespace {

constexpr const char* kUser = "S-1-5-21-7-8-9-1001";
constexpr const char* kThisProgram = "C:\\Program Files\\Quillon\\quillon.exe";

TEST(NetworkTaskDefinition, StartsAtLogOnAndAfterNetworkEventsAsTheAccountOnBatteryLatestRunWins) {
    const std::string xml = NetworkTaskDefinition("C:\\Tools & Co\\quillon.exe", kUser);
    const char* parts[] = {
        "<LogonTrigger><Enabled>true</Enabled><UserId>S-1-5-21-7-8-9-1001</UserId></LogonTrigger>",
        "<EventTrigger><Enabled>true</Enabled><Subscription>&lt;QueryList&gt;&lt;Query Id=&quot;0&quot; "
        "Path=&quot;Microsoft-Windows-NetworkProfile/Operational&quot;&gt;&lt;Select "
        "Path=&quot;Microsoft-Windows-NetworkProfile/Operational&quot;&gt;"
        "*[System[(EventID=10000 or EventID=10001)]]&lt;/Select&gt;&lt;/Query&gt;&lt;/QueryList&gt;"
        "</Subscription><Delay>PT5S</Delay></EventTrigger>",
        "<Principal id=\"Author\"><UserId>S-1-5-21-7-8-9-1001</UserId><LogonType>InteractiveToken"
        "</LogonType><RunLevel>LeastPrivilege</RunLevel></Principal>",
        "<MultipleInstancesPolicy>StopExisting</MultipleInstancesPolicy>",
        "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
        "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
        "<ExecutionTimeLimit>PT1M</ExecutionTimeLimit>",
        "<Actions Context=\"Author\"><Exec><Command>&quot;C:\\Tools &amp; Co\\quillon.exe&quot;"
        "</Command><Arguments>/network /q /nogui</Arguments></Exec></Actions>",
    };
    for (const char* part : parts) EXPECT_NE(xml.find(part), std::string::npos) << part;
    // Named after the account as people read it, else by its identifier.
    EXPECT_EQ(NetworkTaskName({kUser, "PC\\user"}), "Quillon network printer (PC user)");
    EXPECT_EQ(NetworkTaskName({kUser, ""}), "Quillon network printer (S-1-5-21-7-8-9-1001)");
}

// The administrator's policy, in every run but a quiet one by name, for
// this user's task alone: there and starting this program, or gone. The
// root folder holds every user's; a service account has none.
TEST(NetworkSwitchingPolicy, KeepsTheUsersTaskOnThisProgramOrRemovesIt) {
    struct Case {
        const char* policy;
        const char* commandLine;
        const char* sid;
        std::optional<std::string> program;  // the task's before the run
        bool olderName;                      // the account's task under a name it had before
        std::optional<std::string> after;
        int asks;  // how often the run asks the scheduler: 0, once, or 2 for more
    };
    const std::string here = std::string("\"") + kThisProgram + "\"";
    const Case cases[] = {
        {"1", "", kUser, std::nullopt, false, here, 2},
        {"1", "/network /q /nogui", kUser, "\"D:\\Old\\quillon.exe\"", true, here, 2},
        {"1", "", kUser, here, false, here, 1},  // as it should be: not registered again
        {"1", "fax /q", kUser, std::nullopt, false, std::nullopt, 0},
        {"2", "", kUser, here, true, std::nullopt, 2},
        {"2", "fax /q /nogui", kUser, here, false, here, 0},
        {"1", "", "S-1-5-18", std::nullopt, false, std::nullopt, 0},
        {"2", "", "S-1-5-19", here, false, here, 0},
        {"1", "", "S-1-5-20", std::nullopt, false, std::nullopt, 0},
        {"", "", kUser, std::nullopt, false, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.policy) + " " + c.commandLine + " as " + c.sid);
        fakes::Harness run;
        run.StoreOptions("1", "1", "1");
        run.registry.SetSz(platform::RegistryRoot::LocalMachine, settings::kSettingsKey, "networkpolicy",
                           c.policy);
        run.scheduler.account = {c.sid, "PC\\user"};
        const std::string name = NetworkTaskName(run.scheduler.account);
        const std::string older = std::string(kNetworkTaskPrefix) + "PC olduser)";
        const std::string others = std::string(kNetworkTaskPrefix) + "PC other)";
        if (c.program) {
            run.scheduler.tasks[name] = NetworkTaskDefinition(c.program->substr(1, c.program->size() - 2), c.sid);
        }
        if (c.olderName) run.scheduler.tasks[older] = NetworkTaskDefinition(kThisProgram, c.sid);
        run.scheduler.tasks[others] = NetworkTaskDefinition(kThisProgram, "S-1-5-21-7-8-9-1002");
        run.Start(c.commandLine);
        const int questions = run.scheduler.questions;
        EXPECT_EQ(run.scheduler.Program(name), c.after);
        EXPECT_FALSE(run.scheduler.Exists(older)) << "an older name of the account's stays";
        EXPECT_TRUE(run.scheduler.Exists(others));
        EXPECT_EQ(std::min(questions, 2), c.asks);
    }
    // On Windows before Vista there is nothing to register: not asked.
    fakes::Harness xp;
    xp.system.version = {2, 5, 2};
    xp.StoreOptions("1", "1", "1");
    xp.registry.SetSz(platform::RegistryRoot::LocalMachine, settings::kSettingsKey, "networkpolicy", "1");
    xp.Start("");
    EXPECT_EQ(xp.scheduler.questions, 0);
}

// The uninstaller's run removes the switching task of every user, and
// nothing else; one that stays is told by the exit code.
TEST(RemoveEveryNetworkTask, TakesEveryUsersTaskAndLeavesOthers) {
    for (const bool refuses : {false, true}) {
        fakes::Harness run;
        run.scheduler.account = {"S-1-5-18", "NT AUTHORITY\\SYSTEM"};
        for (const char* user : {"PC anna)", "AzureAD AnnaSmith)"}) {
            run.scheduler.tasks[std::string(kNetworkTaskPrefix) + user] = "";
        }
        run.scheduler.tasks["Backup"] = "";
        run.scheduler.refuses = refuses;
        EXPECT_EQ(run.Start("/removetasks"), refuses ? 2 : 0);
        EXPECT_EQ(run.scheduler.tasks.size(), refuses ? 3U : 1U);
        EXPECT_TRUE(run.scheduler.Exists("Backup"));
        EXPECT_EQ(run.toolkit.CreatedCount("frmQuillon"), 0);
    }
}

}  // namespace
}  // namespace quillon::networks
