#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

#include "fakes/harness.h"
#include "networks/network_task.h"

namespace quillon::networks {
namespace {

constexpr const char* kUser = "S-1-5-21-7-8-9-1001";
constexpr const char* kThisProgram = "C:\\Program Files\\Quillon\\quillon.exe";
constexpr const char* kShare = "\\\\server\\netlogon\\quillon.exe";

TEST(NetworkTaskDefinition, StartsAtLogOnAndAfterNetworkEventsAsTheAccountOnBatteryLatestRunWins) {
    const std::string xml = NetworkTaskDefinition("C:\\Tools & Co\\quillon.exe", kUser);
    const char* parts[] = {
        "<RegistrationInfo><Version>2</Version></RegistrationInfo>",
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
        {"1", "", "S-1-12-1-1234567-2345678-3456789-4567890", nullptr, false, kThisProgram, 2},  // Entra ID
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.policy) + " " + c.commandLine + " as " + c.sid);
        fakes::Harness run;
        run.system.version = {2, c.major};
        run.StoreOptions("1", "1", "1");
        run.registry.SetSz(platform::RegistryRoot::LocalMachine, settings::kSettingsKey, "networkpolicy",
                           c.policy);
        run.scheduler.account = {c.sid, "PC\\user"};
        run.files.AddFile(kThisProgram);
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

// The uninstaller's run removes every user's switching task and nothing else;
// one that stays, tasks not listed or no answer in time, code 2 and 3005 tell.
TEST(RemoveEveryNetworkTask, TakesEveryUsersTaskAndLeavesOthers) {
    for (const auto& [refuses, overruns, error] : {std::tuple(false, false, ""), std::tuple(true, false, "0x80070005"),
                                                  std::tuple(false, true, "1460")}) {
        fakes::Harness run;
        run.scheduler.account = {"S-1-5-18", "NT AUTHORITY\\SYSTEM"};
        for (const char* name : {"PC anna)", "AzureAD AnnaSmith)"}) {
            run.scheduler.tasks[std::string(kNetworkTaskPrefix) + name] = "";
        }
        run.scheduler.tasks["Backup"] = "";
        run.scheduler.refuses = refuses;
        run.system.workOverruns = overruns;
        EXPECT_EQ(run.Start("/removetasks"), *error ? 2 : 0);
        EXPECT_EQ(run.scheduler.tasks.size(), *error ? 3U : 1U);
        EXPECT_TRUE(run.scheduler.Exists("Backup"));
        EXPECT_EQ(run.eventLog.events.size() == 1 ? run.eventLog.events[0].strings[0] : "", error);
        EXPECT_EQ(run.toolkit.CreatedCount("frmQuillon"), 0);
    }
}

// The task starts the installed program where recorded and there, else the
// task's while there, else this one, in long form; an older definition is
// registered again, a newer one left alone, none for a changeable program.
TEST(KeepNetworkTask, FollowsTheInstalledProgramAndTheDefinitionsVersion) {
    const char *installed = kThisProgram, *tools = "C:\\Tools\\quillon.exe", *gone = "D:\\Stick\\quillon.exe";
    const char* shortName = "C:\\PROGRA~1\\Quillon\\quillon.exe";
    const auto quoted = [](const char* p) { return p ? std::optional('"' + std::string(p) + '"') : std::nullopt; };
    const struct {
        const char *recorded, *task, *version, *after;  // null: none
        bool registers, othersMayChange = false;
        const char* running = kShare;
    } cases[] = {
        {nullptr, nullptr, "", kShare, true},           {installed, kShare, "2", installed, true},
        {installed, installed, "", installed, true},    {installed, installed, "2", installed, false},
        {installed, shortName, "2", shortName, false},  {installed, installed, "3", installed, false},
        {nullptr, tools, "2", tools, false},            {nullptr, gone, "2", kShare, true},
        {gone, nullptr, "", kShare, true},              {nullptr, nullptr, "", nullptr, false, false, ""},
        {installed, installed, "1", installed, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        fakes::Harness run;
        run.system.programPath = c.running;
        for (const char* file : {installed, kShare, tools}) run.files.AddFile(file);
        run.files.shortPaths[shortName] = installed;
        const auto machine = platform::RegistryRoot::LocalMachine;
        if (c.recorded) run.registry.SetSz(machine, settings::kSettingsKey, "program", c.recorded);
        if (c.othersMayChange) run.files.security["C:\\"] = {"S-1-5-32-544", {{"S-1-5-11", 0x1301BF}}};
        const std::string name = NetworkTaskName(run.scheduler.account);
        std::string task = c.task ? NetworkTaskDefinition(c.task, kUser) : "";
        if (c.task) run.scheduler.tasks[name] = task.replace(task.find(">2<"), 3, std::string(">") + c.version + "<");
        const auto before = run.scheduler.tasks;
        KeepNetworkTask(run.state);
        EXPECT_EQ(run.scheduler.Program(name), quoted(c.after));
        EXPECT_EQ(run.scheduler.tasks != before, c.registers);
        EXPECT_EQ(run.eventLog.events.size(), c.othersMayChange ? 1U : 0U);
    }
}

// Who besides administrators, SYSTEM, TrustedInstaller and the user may put
// another program in its place, through the file, its folder or one above.
TEST(ChangeableByOthers, FindsWhoMayReplaceTheProgramUpToTheDrive) {
    const std::string program = "C:\\Tools\\Quillon\\quillon.exe", folder = "C:\\Tools\\Quillon", tools = "C:\\Tools";
    const char *admins = "S-1-5-32-544", *users = "S-1-5-32-545", *world = "S-1-1-0";
    const struct { std::string path; const char *owner, *sid; std::uint32_t rights; std::string found; } cases[] = {
        {folder, "S-1-5-18", "S-1-3-0", 0x1F01FF, ""},  // CREATOR OWNER allows nobody on the folder itself
        {folder, kUser, kUser, 0x1F01FF, ""},           {folder, admins, users, 0x2, folder},
        {folder, admins, users, 0x4, folder},           {folder, "S-1-5-21-7-8-9-1002", admins, 0x1F01FF, folder},
        {program, admins, world, 0x10000000, program},  {tools, admins, "S-1-5-11", 0x1301BF, tools},
        {tools, admins, users, 0x6, ""}, {tools, admins, users, 0x40, tools}, {"C:\\", admins, world, 0x40000, "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + c.sid);
        fakes::FakeFiles files;
        files.security[c.path] = {c.owner, {{c.sid, c.rights}}};
        EXPECT_EQ(ChangeableByOthers(files, program, kUser), c.found);
    }
}

}  // namespace
}  // namespace quillon::networks
