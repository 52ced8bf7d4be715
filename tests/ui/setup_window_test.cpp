#include <gtest/gtest.h>

#include "fakes/harness.h"

namespace quillon {
namespace {

using platform::RegistryRoot;

class SetupWindowRun : public ::testing::Test {
protected:
    fakes::Harness run;

    fakes::FakeWindow& SetupWindow() {
        auto* window = run.toolkit.Find("frmSetup");
        EXPECT_NE(window, nullptr);
        return *window;
    }

    std::string Stored(std::string_view name) {
        const auto value = run.registry.Get(RegistryRoot::CurrentUser, settings::kSettingsKey, name);
        return value ? value->data : "(none)";
    }
};

TEST_F(SetupWindowRun, FirstRunAnswersYesThreeTimesAndOkStoresThem) {
    EXPECT_EQ(run.Start(""), std::nullopt);
    auto& setup = SetupWindow();
    for (const char* yes : {"optDesktopYes", "optStartupYes", "optStartupAllYes"}) {
        EXPECT_TRUE(setup.IsChecked(yes)) << yes;
    }
    setup.Click("cmdOK");
    EXPECT_EQ(Stored("desktop"), "1");
    EXPECT_EQ(Stored("startup"), "1");
    EXPECT_EQ(Stored("startupall"), "1");
    EXPECT_EQ(Stored("uncpath"), "(none)");
    EXPECT_FALSE(setup.IsLoaded());
    EXPECT_NE(run.toolkit.Find("frmQuillon"), nullptr);
}

TEST_F(SetupWindowRun, AnswersAreStoredAndRuleTheMainWindow) {
    run.AddPrinter("Fax");
    EXPECT_EQ(run.Start("/setup"), std::nullopt);
    auto& setup = SetupWindow();
    setup.Choose("optDesktopNo");
    setup.Choose("optStartupYes");
    setup.Choose("optStartupAllNo");
    setup.Click("cmdOK");
    EXPECT_EQ(Stored("desktop"), "2");
    EXPECT_EQ(Stored("startup"), "1");
    EXPECT_EQ(Stored("startupall"), "2");
    auto* main = run.toolkit.Find("frmQuillon");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->IsEnabled("cmdCreateShortcut"));
    EXPECT_TRUE(main->IsEnabled("cmdAddToStartup"));
}

TEST_F(SetupWindowRun, OpensWithTheSwitchedValues) {
    EXPECT_EQ(run.Start("/setup /disableall"), std::nullopt);
    auto& setup = SetupWindow();
    for (const char* no : {"optDesktopNo", "optStartupNo", "optStartupAllNo"}) {
        EXPECT_TRUE(setup.IsChecked(no)) << no;
    }
}

TEST_F(SetupWindowRun, CancelStoresNothingAndEndsTheRun) {
    run.AddPrinter("Fax");
    EXPECT_EQ(run.Start("fax"), std::nullopt);
    SetupWindow().Click("cmdCancel");
    EXPECT_TRUE(run.registry.writes.empty());
    EXPECT_EQ(run.toolkit.Find("frmQuillon"), nullptr);
    EXPECT_EQ(run.toolkit.Find("frmSetup"), nullptr);
    EXPECT_FALSE(run.Device().has_value());
}

TEST_F(SetupWindowRun, PrinterNamedWithTheFirstRunIsSetAfterOk) {
    run.AddPrinter("Fax", "winspool", "FAX:");
    EXPECT_EQ(run.Start("fax /q"), std::nullopt);
    EXPECT_EQ(run.Ending([&] { SetupWindow().Click("cmdOK"); }), 0);
    EXPECT_EQ(run.Device(), "Fax,winspool,FAX:");
}

TEST_F(SetupWindowRun, RefusedRegistryWriteStillOpensTheMainWindow) {
    run.registry.readOnlyRoots.insert(RegistryRoot::CurrentUser);
    EXPECT_EQ(run.Start(""), std::nullopt);
    SetupWindow().Choose("optDesktopNo");
    SetupWindow().Click("cmdOK");
    auto* main = run.toolkit.Find("frmQuillon");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->IsEnabled("cmdCreateShortcut"));
    EXPECT_EQ(Stored("desktop"), "(none)");
}

}  // namespace
}  // namespace quillon
