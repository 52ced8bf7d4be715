#include <gtest/gtest.h>

#include <string>

#include "fakes/harness.h"
#include "networks/network_task.h"

namespace quillon::networks {
namespace {

TEST(NetworkTaskDefinition, StartsAtLogOnAndOnConnectingOnBatteryOnceAtATime) {
    const std::string xml = NetworkTaskDefinition("C:\\Tools & Co\\quillon.exe", "PC\\Ann <A>");
    const char* parts[] = {
        "<LogonTrigger><Enabled>true</Enabled><UserId>PC\\Ann &lt;A&gt;</UserId></LogonTrigger>",
        "<EventTrigger><Enabled>true</Enabled><Subscription>&lt;QueryList&gt;&lt;Query Id=&quot;0&quot; "
        "Path=&quot;Microsoft-Windows-NetworkProfile/Operational&quot;&gt;&lt;Select "
        "Path=&quot;Microsoft-Windows-NetworkProfile/Operational&quot;&gt;*[System[EventID=10000]]"
        "&lt;/Select&gt;&lt;/Query&gt;&lt;/QueryList&gt;</Subscription></EventTrigger>",
        "<Principal id=\"Author\"><UserId>PC\\Ann &lt;A&gt;</UserId><LogonType>InteractiveToken"
        "</LogonType><RunLevel>LeastPrivilege</RunLevel></Principal>",
        "<MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>",
        "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
        "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
        "<ExecutionTimeLimit>PT1M</ExecutionTimeLimit>",
        "<Actions Context=\"Author\"><Exec><Command>&quot;C:\\Tools &amp; Co\\quillon.exe&quot;"
        "</Command><Arguments>/network /q /nogui</Arguments></Exec></Actions>",
    };
    for (const char* part : parts) EXPECT_NE(xml.find(part), std::string::npos) << part;
}

// The administrator's policy holds in every run, whatever the user chose,
// for this user's task alone: the root folder holds every user's.
TEST(NetworkSwitchingPolicy, EveryRunKeepsOrRemovesTheUsersOwnTask) {
    EXPECT_EQ(NetworkTaskName("PC\\user"), "Quillon network printer (PC user)");
    for (const char* policy : {"1", "2", ""}) {
        fakes::Harness run;
        run.StoreOptions("1", "1", "1");
        run.registry.SetSz(platform::RegistryRoot::LocalMachine, settings::kSettingsKey,
                           "networkpolicy", policy);
        const std::string others = NetworkTaskName("PC\\other");
        run.scheduler.tasks[others] = "kept";
        if (std::string(policy) == "2") run.scheduler.tasks[NetworkTaskName("PC\\user")] = "old";
        run.Start("");
        const auto task = run.scheduler.tasks.find(NetworkTaskName("PC\\user"));
        EXPECT_EQ(task != run.scheduler.tasks.end(), std::string(policy) == "1") << policy;
        if (task != run.scheduler.tasks.end()) {
            EXPECT_EQ(task->second, NetworkTaskDefinition(
                                        "C:\\Program Files\\Quillon\\quillon.exe", "PC\\user"));
        }
        EXPECT_EQ(run.scheduler.tasks.at(others), "kept");
    }
}

}  // namespace
}  // namespace quillon::networks
