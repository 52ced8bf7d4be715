#include <gtest/gtest.h>

#include "fakes/harness.h"
#include "ui/main_window.h"
#include "ui/setup_window.h"

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

// What the toolkit hands on to screen readers from the window designs: the
// list gets a name, each Yes and No its question, nothing else anything.
TEST(AccessibleNames, TheListIsNamedAndEachOptionIsDescribedByItsQuestion) {
    using ui::frmSetup;
    fakes::FakeAnnotations service;
    fakes::Harness run;
    const auto& main = run.forms.Quillon().Design();
    const auto handle = [](const platform::ControlDesign& control) {
        return reinterpret_cast<std::uintptr_t>(&control);
    };
    const auto& setup = run.forms.Setup().Design().controls;
    for (const auto& controls : {main.controls, setup}) {
        for (const auto& control : controls) platform::Annotate(service, handle(control), control);
    }
    EXPECT_EQ(service.said.size(), 7u);
    const auto said = [&](std::span<const platform::ControlDesign> controls, std::string_view name) {
        for (const auto& control : controls) {
            if (control.name == name) return std::pair{service.said[handle(control)], control.caption};
        }
        return std::pair{std::pair<std::string, std::string>{}, std::string_view{}};
    };
    using Said = std::pair<std::string, std::string>;
    EXPECT_EQ(said(main.controls, "lstPrinters").first, (Said{"Printers", ""}));
    for (const auto& [question, yes, no] :
         {std::tuple{frmSetup::lblDesktop, frmSetup::optDesktopYes, frmSetup::optDesktopNo},
          {frmSetup::lblStartup, frmSetup::optStartupYes, frmSetup::optStartupNo},
          {frmSetup::lblStartupAll, frmSetup::optStartupAllYes, frmSetup::optStartupAllNo}}) {
        const Said asked{"", std::string(said(setup, question).second)};
        EXPECT_EQ(said(setup, yes), std::pair(asked, std::string_view("Yes"))) << yes;
        EXPECT_EQ(said(setup, no), std::pair(asked, std::string_view("No"))) << no;
    }
}

}  // namespace
}  // namespace quillon
