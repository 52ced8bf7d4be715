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
// root folder holds every user's; a service account, and Windows before
// Vista, have none.
TEST(NetworkSwitchingPolicy, KeepsTheUsersTaskOnThisProgramOrRemovesIt) {
    struct Case {
        const char* policy;
        const char* commandLine;
        const char* sid;
        const char* program;  // the task's before the run; null: no task
        bool olderName;       // the account's task under a name it had before
        const char* after;
        int asks;  // how often the run asks the scheduler: 0, once, or 2 for more
        unsigned major = 10;
    };
    const char* old = "D:\\Old\\quillon.exe";
    const Case cases[] = {
        {"1", "", kUser, nullptr, false, kThisProgram, 2},
        {"1", "/network /q /nogui", kUser, old, true, kThisProgram, 2},
        {"1", "", kUser, kThisProgram, false, kThisProgram, 1},  // as it should be: not registered again
        {"1", "fax /q", kUser, nullptr, false, nullptr, 0},
        {"2", "", kUser, kThisProgram, true, nullptr, 2},
        {"2", "fax /q /nogui", kUser, old, false, old, 0},
        {"1", "", "S-1-5-18", nullptr, false, nullptr, 0},
        {"2", "", "S-1-5-19", old, false, old, 0},
        {"1", "", "S-1-5-20", nullptr, false, nullptr, 0},
        {"", "", kUser, nullptr, false, nullptr, 0},
        {"1", "", kUser, nullptr, false, nullptr, 0, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.policy) + " " + c.commandLine + " as " + c.sid);
        fakes::Harness run;
        run.system.version = {2, c.major};
        run.StoreOptions("1", "1", "1");
        run.registry.SetSz(platform::RegistryRoot::LocalMachine, settings::kSettingsKey, "networkpolicy",
                           c.policy);
        run.scheduler.account = {c.sid, "PC\\user"};
        auto& tasks = run.scheduler.tasks;
        const std::string name = NetworkTaskName(run.scheduler.account);
        const std::string older = std::string(kNetworkTaskPrefix) + "PC olduser)";
        const std::string others = std::string(kNetworkTaskPrefix) + "PC other)";
        if (c.program) tasks[name] = NetworkTaskDefinition(c.program, c.sid);
        if (c.olderName) tasks[older] = NetworkTaskDefinition(kThisProgram, c.sid);
        tasks[others] = NetworkTaskDefinition(kThisProgram, "S-1-5-21-7-8-9-1002");
        run.Start(c.commandLine);
        EXPECT_EQ(std::min(run.scheduler.questions, 2), c.asks);
        EXPECT_EQ(run.scheduler.Program(name),
                  c.after ? std::optional(std::string("\"") + c.after + "\"") : std::nullopt);
        EXPECT_FALSE(run.scheduler.Exists(older)) << "an older name of the account's stays";
        EXPECT_TRUE(run.scheduler.Exists(others));
    }
}

// The uninstaller's run removes the switching task of every user and
// nothing else; one that stays, or tasks not listed, the exit code tells.
TEST(RemoveEveryNetworkTask, TakesEveryUsersTaskAndLeavesOthers) {
    for (const bool refuses : {false, true}) {
        fakes::Harness run;
        run.scheduler.account = {"S-1-5-18", "NT AUTHORITY\\SYSTEM"};
        for (const char* name : {"PC anna)", "AzureAD AnnaSmith)"}) {
            run.scheduler.tasks[std::string(kNetworkTaskPrefix) + name] = "";
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
