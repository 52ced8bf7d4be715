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

// The uninstaller's run removes the switching task of every user and
// nothing else; one that stays, tasks not listed or a scheduler that does
// not answer in time, the exit code and an event tell.
TEST(RemoveEveryNetworkTask, TakesEveryUsersTaskAndLeavesOthers) {
    using Event = fakes::FakeEventLog::Event;
    const Event refused{platform::EventType::Error, 3005, {"0x80070005", "text of 2147942405"}};
    const Event overran{platform::EventType::Error, 3005, {"1460", "text of 1460"}};
    const struct {
        bool refuses, overruns;
        std::vector<Event> events;
    } cases[] = {{false, false, {}}, {true, false, {refused}}, {false, true, {overran}}};
    for (const auto& c : cases) {
        fakes::Harness run;
        run.scheduler.account = {"S-1-5-18", "NT AUTHORITY\\SYSTEM"};
        for (const char* name : {"PC anna)", "AzureAD AnnaSmith)"}) {
            run.scheduler.tasks[std::string(kNetworkTaskPrefix) + name] = "";
        }
        run.scheduler.tasks["Backup"] = "";
        run.scheduler.refuses = c.refuses;
        run.system.workOverruns = c.overruns;
        const bool kept = c.refuses || c.overruns;
        EXPECT_EQ(run.Start("/removetasks"), kept ? 2 : 0);
        EXPECT_EQ(run.scheduler.tasks.size(), kept ? 3U : 1U);
        EXPECT_TRUE(run.scheduler.Exists("Backup"));
        EXPECT_EQ(run.eventLog.events, c.events);
        EXPECT_EQ(run.toolkit.CreatedCount("frmQuillon"), 0);
    }
}

// The program a check of the user's task has it start, and whether it
// registers it again: the installed program where the installer recorded
// one that is there, else the one the task names while that is there,
// else this one, compared in their long forms; a definition of an older
// version is registered again, a newer one left alone. Others who may
// change the program keep it from being registered at all.
TEST(KeepNetworkTask, FollowsTheInstalledProgramAndTheDefinitionsVersion) {
    const char* installed = kThisProgram;
    const char* tools = "C:\\Tools\\quillon.exe";
    const struct {
        const char* recorded;  // the installer's record; null: none
        const char* task;      // the program the task names; null: no task
        const char* version;
        const char* after;     // null: no task
        bool registers;
        const char* running = kShare;
        const char* othersMayChange = nullptr;  // a folder whose access list lets others in
    } cases[] = {
        {nullptr, nullptr, "", kShare, true},
        {installed, kShare, "2", installed, true},
        {installed, installed, "1", installed, true},
        {installed, installed, "", installed, true},  // registered before versions were carried
        {installed, installed, "2", installed, false},
        {installed, "C:\\PROGRA~1\\Quillon\\quillon.exe", "2", "C:\\PROGRA~1\\Quillon\\quillon.exe", false},
        {installed, installed, "3", installed, false},  // a newer program's
        {nullptr, tools, "2", tools, false},
        {nullptr, tools, "1", tools, true},
        {nullptr, "D:\\Stick\\quillon.exe", "2", kShare, true},  // gone
        {"C:\\Gone\\quillon.exe", nullptr, "", kShare, true},
        {nullptr, nullptr, "", nullptr, false, ""},  // a path the code page cannot carry
        {installed, nullptr, "", nullptr, false, kShare, "C:\\Program Files\\Quillon"},
        {installed, installed, "1", installed, false, kShare, "C:\\"},  // the older task stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.recorded ? c.recorded : "-") + " " + (c.task ? c.task : "-") + " " + c.version);
        fakes::Harness run;
        run.system.programPath = c.running;
        for (const char* file : {installed, kShare, tools}) run.files.AddFile(file);
        run.files.shortPaths["C:\\PROGRA~1\\Quillon\\quillon.exe"] = installed;
        if (c.recorded) {
            run.registry.SetSz(platform::RegistryRoot::LocalMachine, settings::kSettingsKey, "program", c.recorded);
        }
        if (c.othersMayChange) {
            run.files.security[c.othersMayChange] = {"S-1-5-32-544", {{"S-1-5-11", 0x1301BF}}};
        }
        const std::string name = NetworkTaskName(run.scheduler.account);
        if (c.task) {
            std::string definition = NetworkTaskDefinition(c.task, kUser);
            definition.replace(definition.find("<Version>2<"), 11, std::string("<Version>") + c.version + "<");
            run.scheduler.tasks[name] = definition;
        }
        const std::string before = run.scheduler.tasks[name];
        if (!c.task) run.scheduler.tasks.erase(name);
        KeepNetworkTask(run.state);
        EXPECT_EQ(run.scheduler.Program(name), c.after ? std::optional(std::string("\"") + c.after + "\"")
                                                       : std::nullopt);
        EXPECT_EQ(c.registers, run.scheduler.Exists(name) && run.scheduler.tasks[name] != before);
        EXPECT_EQ(run.eventLog.events.size(), c.othersMayChange ? 1U : 0U);
    }
}

// Whether others than administrators, SYSTEM, TrustedInstaller and the
// user may put another program in the program's place.
TEST(ChangeableByOthers, FindsWhoMayReplaceTheProgramUpToTheDrive) {
    const char* program = "C:\\Tools\\Quillon\\quillon.exe";
    constexpr std::uint32_t kReadRun = 0x1200A9, kModify = 0x1301BF, kFull = 0x1F01FF;
    const platform::AccessAllowed admins{"S-1-5-32-544", kFull}, system{"S-1-5-18", kFull},
        users{"S-1-5-32-545", kReadRun}, creatorOwner{"S-1-3-0", kFull};
    const platform::FileSecurity locked{"S-1-5-32-544", {admins, system, users, creatorOwner}};
    // Users may add folders to the drive's root, not replace one.
    const platform::FileSecurity root{"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                      {admins, system, {"S-1-5-11", 0x4}, {"S-1-5-32-545", 0x4 | kReadRun}}};
    const struct {
        const char* path;
        platform::FileSecurity security;
        const char* changeable;
    } cases[] = {
        {"C:\\Tools\\Quillon", locked, ""},
        {"C:\\Tools\\Quillon", {kUser, {{kUser, kFull}}}, ""},  // the user's own
        {"C:\\Tools\\Quillon", {"S-1-5-32-544", {{"S-1-5-32-545", 0x2}}}, "C:\\Tools\\Quillon"},
        {"C:\\Tools\\Quillon", {"S-1-5-32-544", {{"S-1-5-32-545", 0x4}}}, "C:\\Tools\\Quillon"},
        {"C:\\Tools\\Quillon", {"S-1-5-21-7-8-9-1002", {admins}}, "C:\\Tools\\Quillon"},  // another's
        {program, {"S-1-5-32-544", {{"S-1-1-0", 0x10000000}}}, program},  // no access list
        {program, {"S-1-5-32-544", {{"S-1-5-11", 0x4}}}, program},
        {"C:\\Tools", {"S-1-5-32-544", {{"S-1-5-11", kModify}}}, "C:\\Tools"},
        {"C:\\Tools", {"S-1-5-32-544", {{"S-1-5-32-545", 0x2 | 0x4}}}, ""},
        {"C:\\Tools", {"S-1-5-32-544", {{"S-1-5-32-545", 0x40}}}, "C:\\Tools"},
        {"C:\\", root, ""},
        {"C:\\", {"S-1-5-32-544", {{"S-1-1-0", 0x40000}}}, "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        fakes::FakeFiles files;
        files.security[c.path] = c.security;
        EXPECT_EQ(ChangeableByOthers(files, program, kUser), c.changeable);
    }
}

}  // namespace
}  // namespace quillon::networks
