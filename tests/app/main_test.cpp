#include <gtest/gtest.h>

#include "fakes/harness.h"
#include "test_names.h"

namespace quillon {
namespace {

using platform::RegistryRoot;

struct FirstWindowCase {
    const char* stored;  // "desktop" value, or nullptr for nothing stored
    const char* commandLine;
    const char* window;
};

class FirstWindow : public ::testing::TestWithParam<FirstWindowCase> {};

TEST_P(FirstWindow, DependsOnStoredOptionsAndSwitches) {
    fakes::Harness run;
    const auto& c = GetParam();
    if (c.stored != nullptr) run.StoreOptions(c.stored, "1", "1");
    EXPECT_EQ(run.Start(c.commandLine), std::nullopt);
    EXPECT_NE(run.toolkit.Find(c.window), nullptr) << c.commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FirstWindow,
    ::testing::Values(FirstWindowCase{nullptr, "", "frmSetup"},
                      FirstWindowCase{nullptr, "/enabledesktop", "frmQuillon"},
                      FirstWindowCase{nullptr, "/enablestartup", "frmSetup"},
                      FirstWindowCase{nullptr, "-ENABLEALL", "frmQuillon"},
                      FirstWindowCase{nullptr, "/disableall", "frmQuillon"},
                      FirstWindowCase{nullptr, "fax", "frmSetup"},
                      FirstWindowCase{"1", "", "frmQuillon"},
                      FirstWindowCase{"1", "/setup", "frmSetup"},
                      FirstWindowCase{"2", "-Setup", "frmSetup"},
                      FirstWindowCase{"abc", "", "frmSetup"}),
    [](const auto& info) {
        return testing_names::FromText(
            std::string(info.param.stored ? info.param.stored : "none") + " " +
                info.param.commandLine,
            info.index);
    });

TEST(Main, OptionSwitchesChangeTheRunButAreNotStored) {
    fakes::Harness run;
    run.StoreOptions("2", "2", "2");
    EXPECT_EQ(run.Start("/enableall"), std::nullopt);
    EXPECT_EQ(run.state.Options.DesktopSetting, 1);
    EXPECT_EQ(run.state.Options.StartupSetting, 1);
    EXPECT_EQ(run.state.Options.StartupAllSetting, 1);
    EXPECT_TRUE(run.registry.writes.empty());
}

TEST(Main, VersionSixOrLaterIsRecorded) {
    for (const auto major : {4U, 5U, 6U, 10U}) {
        fakes::Harness run;
        run.system.version = {2, major};
        run.system.sessionZero = true;  // the console's before version 6, the services' since
        run.StoreOptions("1", "1", "1");
        run.Start("");
        EXPECT_EQ(run.state.IsWindows6OrLater, major >= 6) << major;
        EXPECT_EQ(run.state.NobodySees(), major >= 6) << major;
    }
}

TEST(Main, FirstLogLineHoldsTheCommandLineUnchanged) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.Start("\"HP LaserJet\" /NoGui");
    EXPECT_EQ(run.LogLines().front(), "started with switches: \"HP LaserJet\" /NoGui");
}

TEST(Main, NormalBuildWritesNoLog) {
    fakes::Harness run;
    run.diagnostics = false;
    run.StoreOptions("1", "1", "1");
    EXPECT_EQ(run.Start("nothing /nogui"), 1);
    EXPECT_TRUE(run.files.files.empty());
}

TEST(Main, LogLinesCarryDateAndTime) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.Start("");
    const auto log = run.files.Content("C:\\Program Files\\Quillon\\QLNDiagnostics.log");
    ASSERT_TRUE(log.has_value());
    EXPECT_EQ(log->substr(0, 43), "2026.12.06 13.05.09 started with switches: ");
}

TEST(Main, ALineWrittenAtMidnightCarriesOneMomentsDateAndTime) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.system.clockSeconds = 86400 - 0.5;
    run.system.secondsPerReading = 0.4;  // the next reading is past midnight
    run.Start("");
    const auto log = run.files.Content("C:\\Program Files\\Quillon\\QLNDiagnostics.log");
    ASSERT_TRUE(log.has_value());
    EXPECT_EQ(log->substr(0, 20), "2026.12.06 23.59.59 ");
}

TEST(Main, UnwritableLogDoesNotStopTheRun) {
    fakes::Harness run;
    run.files.readOnlyFolders.insert("C:\\Program Files\\Quillon");
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("Fax", "winspool", "FAX:");
    EXPECT_EQ(run.Start("fax /q"), 0);
    EXPECT_EQ(run.Device(), "Fax,winspool,FAX:");
}

TEST(Main, UsageBoxListsEverySwitchAndExitCodeAndSetsNothing) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("Fax", "winspool", "FAX:");
    EXPECT_EQ(run.Start("fax /?"), 0);
    EXPECT_FALSE(run.Device().has_value());
    EXPECT_EQ(run.toolkit.CreatedCount("frmQuillon"), 0);
    ASSERT_EQ(run.toolkit.messages.size(), 1U);
    const auto& usage = run.toolkit.messages[0];
    EXPECT_EQ(usage.title, "Quillon");
    EXPECT_EQ(usage.text.rfind("quillon.exe [printer] [switches]\n", 0), 0U) << usage.text;
    for (const char* word : {"\n/q\n", "\n/nogui\n", "\n/noquit\n", "\n/delay N\n",
                             "\n/setup\n", "/enablestartupall", "\n/disableall\n",
                             "/showuncpath\n", "\n/removetasks\n", "\n/?\n", "\n0\t", "\n1\t", "\n2\t", "\n3\t"}) {
        EXPECT_NE(usage.text.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace quillon
