#include <windows.h>

#include <string>

#include "networks/network_task.h"
#include "wine/fixture.h"

// The administrator's policy on network switching, as every run but a quiet
// one by name applies it: Enabled registers the user's task, Disabled
// removes it. Wine keeps a registered task as a file with the settings it
// was given, but without its triggers, its principal or what its action
// runs, and runs none of them; of the instance policies it keeps IgnoreNew
// alone. Those, and the task's starts, show only on Windows.
namespace quillon::e2e {
namespace {

class NetworkTask : public QuillonTest {};

TEST_F(NetworkTask, PolicyRegistersAndRemovesTheUsersTask) {
    DeleteFileA(TaskFile(networks::kNetworkTaskPrefix).c_str());
    SetMachineString("software\\kvo\\quillon", "networkpolicy", "1");
    // A quiet run by name leaves the scheduler alone.
    EXPECT_EQ(RunToEnd("nothing /q /nogui"), 1u);
    EXPECT_EQ(TaskFile(networks::kNetworkTaskPrefix), "");
    // The read-me's fleet line, on networks nobody chose a printer for:
    // the printer named, and the user's task.
    EXPECT_EQ(RunToEnd("/network \"HP LaserJet 4\" /q /nogui"), 0u);
    EXPECT_EQ(DefaultDevice(), "HP LaserJet 4,winspool,LPT1:");
    // Named after its user ("Quillon network printer (PC user)").
    const std::string task = TaskFile(networks::kNetworkTaskPrefix);
    ASSERT_FALSE(task.empty());
    // Stored in UTF-16 or in UTF-8; what is looked for is ASCII either way.
    std::string definition = FileBytes(task);
    std::erase(definition, '\0');
    for (const char* setting : {"<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
                                "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>",
                                "<ExecutionTimeLimit>PT1M</ExecutionTimeLimit>"}) {
        EXPECT_NE(definition.find(setting), std::string::npos) << setting << "\n" << definition;
    }

    SetMachineString("software\\kvo\\quillon", "networkpolicy", "2");
    EXPECT_NE(RunToEnd("/network /q /nogui"), 99u);
    EXPECT_EQ(TaskFile(networks::kNetworkTaskPrefix), "");
}

// Wine makes a file's access list of its Unix mode: everyone may replace
// what is in the host's /tmp, so a copy of the program there gets no task.
TEST_F(NetworkTask, NoTaskForAProgramOthersMayReplace) {
    DeleteFileA(TaskFile(networks::kNetworkTaskPrefix).c_str());
    SetMachineString("software\\kvo\\quillon", "networkpolicy", "1");
    const std::string folder = "Z:\\tmp\\quillon-" + std::to_string(GetCurrentProcessId());
    const std::string copy = folder + "\\quillon.exe", log = folder + "\\QLNDiagnostics.log";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ProgramPath(true).c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(Process(copy, "/network \"HP LaserJet 4\" /q /nogui").WaitForExit(30s), 0u);
    EXPECT_EQ(TaskFile(networks::kNetworkTaskPrefix), "");
    EXPECT_NE(FileBytes(log).find("not registered: others may change Z:\\tmp\r\n"), std::string::npos);
    for (const auto& file : {log, copy}) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace quillon::e2e
