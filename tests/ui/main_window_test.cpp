#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fakes/harness.h"
#include "test_names.h"

namespace quillon {
namespace {

using fakes::Harness;

class MainWindowRun : public ::testing::Test {
protected:
    Harness run;

    void SetUp() override {
        run.StoreOptions("1", "1", "1");
        run.AddPrinter("HP LaserJet 4", "winspool", "LPT1:");
        run.AddPrinter("HP DeskJet 500", "winspool", "LPT2:");
        run.AddPrinter("Fax", "winspool", "FAX:");
        run.AddPrinter("\\\\srv\\Plotter", "winspool", "Ne02:");
    }

    fakes::FakeWindow& Main() {
        auto* window = run.toolkit.Find("frmQuillon");
        EXPECT_NE(window, nullptr);
        return *window;
    }

    bool Logged(std::string_view line) const {
        const auto lines = run.LogLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    int SuccessWindowsShown() const { return run.toolkit.CreatedCount("frmSuccess"); }
};

struct CommandLineCase {
    const char* commandLine;
    const char* device;
};

class CommandLineMode : public MainWindowRun,
                        public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineMode, SetsTheFirstMatchingPrinterAndEnds) {
    const auto& c = GetParam();
    if (c.device == nullptr) {
        EXPECT_EQ(run.Start(c.commandLine), 1);
        EXPECT_FALSE(run.Device().has_value());
        return;
    }
    EXPECT_EQ(run.Start(c.commandLine), 0);
    EXPECT_EQ(run.Device(), c.device);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineMode,
    ::testing::Values(
        // "hp" names both; the sorted list puts DeskJet first.
        CommandLineCase{"hp", "HP DeskJet 500,winspool,LPT2:"},
        CommandLineCase{"HP LASERJET", "HP LaserJet 4,winspool,LPT1:"},
        CommandLineCase{"\"HP LaserJet 4\" /nogui", "HP LaserJet 4,winspool,LPT1:"},
        CommandLineCase{"HP LaserJet 4 /nogui", "HP LaserJet 4,winspool,LPT1:"},
        CommandLineCase{"*laser*", "HP LaserJet 4,winspool,LPT1:"},
        CommandLineCase{"hp?laser*", "HP LaserJet 4,winspool,LPT1:"},
        CommandLineCase{"hp deskjet ###*", "HP DeskJet 500,winspool,LPT2:"},
        // Without "?" or "*" a "#" is itself, so this is a prefix of nothing.
        CommandLineCase{"hp deskjet ### /nogui", nullptr},
        CommandLineCase{"[fg]a*", "Fax,winspool,FAX:"},
        // A network printer is found by its on-form and set by its UNC form.
        CommandLineCase{"plotter", "\\\\srv\\Plotter,winspool,Ne02:"},
        CommandLineCase{"plot", "\\\\srv\\Plotter,winspool,Ne02:"},
        CommandLineCase{"plotter on srv", "\\\\srv\\Plotter,winspool,Ne02:"},
        CommandLineCase{"/delay 3 fax", "Fax,winspool,FAX:"}),
    [](const auto& info) { return testing_names::FromText(info.param.commandLine, info.index); });

TEST_F(MainWindowRun, NamedPrinterIsSetWithoutShowingTheMainWindow) {
    run.toolkit.onModal["frmSuccess"] = [](fakes::FakeWindow& window) {
        EXPECT_EQ(window.Caption("lblSuccess"), "The default printer has been set to Fax.");
    };
    EXPECT_EQ(run.Start("fax"), 0);
    EXPECT_EQ(SuccessWindowsShown(), 1);
    EXPECT_EQ(run.toolkit.ShowCount("frmQuillon"), 0);
    EXPECT_FALSE(Logged("main gui unloaded"));
}

TEST_F(MainWindowRun, SuccessWindowClosesItselfAfterThreeSecondsInCommandLineMode) {
    run.toolkit.onModal["frmSuccess"] = [](fakes::FakeWindow& window) {
        EXPECT_FALSE(window.IsLoaded()) << "should have closed itself on activation";
    };
    // Nothing else in this run waits, so the clock shows the window's wait.
    const double start = run.system.clockSeconds;
    EXPECT_EQ(run.Start("fax"), 0);
    const double waited = run.system.clockSeconds - start;
    EXPECT_GE(waited, 3.0);
    EXPECT_LT(waited, 4.0);
}

TEST_F(MainWindowRun, QuietSwitchShowsNoSuccessWindowInAnyCase) {
    EXPECT_EQ(run.Start("fax /Q"), 0);
    EXPECT_EQ(SuccessWindowsShown(), 0);
    EXPECT_EQ(run.Device(), "Fax,winspool,FAX:");
}

TEST_F(MainWindowRun, NoMatchUnderNoGuiEndsWithExitCodeOneAndNoWindow) {
    EXPECT_EQ(run.Start("laser /NOGUI"), 1);
    EXPECT_EQ(run.toolkit.ShowCount("frmQuillon"), 0);
    EXPECT_FALSE(run.Device().has_value());
    EXPECT_EQ(run.LogLines().back(), "could not find printer laser");
}

TEST_F(MainWindowRun, UncFormArgumentDoesNotMatchTheOnFormList) {
    EXPECT_EQ(run.Start("\\\\srv\\plotter /nogui"), 1);
}

TEST_F(MainWindowRun, NoMatchOpensTheWindowWithTheCurrentDefaultSelected) {
    run.SetDefault("\\\\srv\\Plotter,winspool,Ne02:");
    EXPECT_EQ(run.Start("laser"), std::nullopt);
    auto& window = Main();
    EXPECT_EQ(window.ListText("lstPrinters", window.ListIndex("lstPrinters")), "Plotter on srv");
    EXPECT_TRUE(Logged("could not find printer laser"));

    // The argument is forgotten: the success window now waits for OK.
    bool clickedOk = false;
    run.toolkit.onModal["frmSuccess"] = [&](fakes::FakeWindow& success) {
        EXPECT_TRUE(success.IsLoaded());
        success.Click("cmdOK");
        clickedOk = true;
    };
    EXPECT_EQ(run.Ending([&] { window.Click("cmdSetDefault"); }), 0);
    EXPECT_TRUE(clickedOk);
    EXPECT_EQ(run.Device(), "\\\\srv\\Plotter,winspool,Ne02:");
}

TEST_F(MainWindowRun, WindowListsPrintersSortedAndEnablesButtonsByOptions) {
    run.StoreOptions("2", "1", "1");
    EXPECT_EQ(run.Start(""), std::nullopt);
    auto& window = Main();
    std::vector<std::string> entries;
    for (int i = 0; i < window.ListCount("lstPrinters"); ++i) {
        entries.push_back(window.ListText("lstPrinters", i));
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"Fax", "HP DeskJet 500", "HP LaserJet 4",
                                                 "Plotter on srv"}));
    EXPECT_EQ(window.ListIndex("lstPrinters"), 0);
    EXPECT_FALSE(window.IsEnabled("cmdCreateShortcut"));
    EXPECT_TRUE(window.IsEnabled("cmdAddToStartup"));
    EXPECT_TRUE(window.IsEnabled("cmdSetDefault"));
    EXPECT_TRUE(window.IsVisible("cmdCancel"));
}

TEST_F(MainWindowRun, HideUncPathShowsNetworkPrintersWithoutTheirServer) {
    EXPECT_EQ(run.Start("/hideuncpath"), std::nullopt);
    EXPECT_EQ(Main().ListText("lstPrinters", 3), "Plotter");
}

TEST_F(MainWindowRun, ShowUncPathWinsOverHideUncPath) {
    EXPECT_EQ(run.Start("/hideuncpath /showuncpath"), std::nullopt);
    EXPECT_EQ(Main().ListText("lstPrinters", 3), "Plotter on srv");
}

TEST_F(MainWindowRun, QuitClosesTheWindowAndLogsTheUnload) {
    EXPECT_EQ(run.Start(""), std::nullopt);
    Main().Click("cmdCancel");
    EXPECT_EQ(run.toolkit.Find("frmQuillon"), nullptr);
    EXPECT_EQ(run.LogLines().back(), "main gui unloaded");
}

TEST_F(MainWindowRun, NoQuitRefusesEveryCloseButCtrlAltQ) {
    EXPECT_EQ(run.Start("/noquit"), std::nullopt);
    auto& window = Main();
    EXPECT_FALSE(window.IsVisible("cmdCancel"));

    window.Close();
    window.PressKeyUp('Q', platform::kCtrlMask);
    window.PressKeyUp('Q', platform::kAltMask);
    window.PressKeyUp('W', platform::kCtrlMask | platform::kAltMask);
    EXPECT_TRUE(window.IsLoaded());

    window.PressKeyUp('Q', platform::kCtrlMask | platform::kAltMask | platform::kShiftMask);
    EXPECT_FALSE(window.IsLoaded());
    EXPECT_FALSE(run.state.NoQuit);
}

TEST_F(MainWindowRun, ActivationLogsTheDisplay) {
    EXPECT_EQ(run.Start(""), std::nullopt);
    EXPECT_EQ(run.LogLines().back(), "main gui displayed");
}

TEST(MainWindowWithoutPrinters, RetriesFifteenTimesThenDisablesThePrinterButtons) {
    Harness run;
    run.StoreOptions("1", "1", "1");
    const double start = run.system.clockSeconds;
    EXPECT_EQ(run.Start("fax"), std::nullopt);
    auto* window = run.toolkit.Find("frmQuillon");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(run.profile.keyListReads.size(), 15U);
    EXPECT_GE(run.system.clockSeconds - start, 15.0);
    const auto lines = run.LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "total printers = 0"), 15);
    for (const char* button : {"cmdSetDefault", "cmdCreateShortcut", "cmdAddToStartup"}) {
        EXPECT_FALSE(window->IsEnabled(button)) << button;
    }
    EXPECT_TRUE(window->IsEnabled("cmdAbout"));
}

TEST(MainWindowWithoutPrinters, PrintersThatAppearDuringTheRetriesAreListed) {
    Harness run;
    run.StoreOptions("1", "1", "1");
    run.profile.afterKeyListRead = [&] {
        if (run.profile.keyListReads.size() == 3) run.AddPrinter("Fax");
    };
    EXPECT_EQ(run.Start("fax"), 0);
    EXPECT_EQ(run.profile.keyListReads.size(), 4U);
}

TEST_F(MainWindowRun, StartupLogLinesComeInOrder) {
    run.SetDefault("Fax,winspool,FAX:");
    EXPECT_EQ(run.Start("/delay:2.5"), std::nullopt);
    const std::vector<std::string> expected{
        "started with switches: /delay:2.5",
        "main gui loaded",
        "execution delayed 2.5 secs",
        "total printers = 4",
        "  printer 1 = Fax",
        "  printer 2 = HP DeskJet 500",
        "  printer 3 = HP LaserJet 4",
        "  printer 4 = Plotter on srv",
        "default printer = Fax",
        "  HP LaserJet 4 [winspool on LPT1:]",
        "  HP DeskJet 500 [winspool on LPT2:]",
        "  Fax [winspool on FAX:]",
        "  \\\\srv\\Plotter [winspool on Ne02:]",
        "main gui displayed",
    };
    EXPECT_EQ(run.LogLines(), expected);
}

TEST_F(MainWindowRun, CommandLineLogLinesComeInOrder) {
    EXPECT_EQ(run.Start("Fax /q"), 0);
    const auto lines = run.LogLines();
    const std::vector<std::string> tail(lines.end() - 3, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"attempt to set default to fax",
                                              "found printer fax - setting to default",
                                              "default printer set to Fax"}));
}

TEST_F(MainWindowRun, PrinterThatCannotBeSetIsReportedAndEndsWithExitCodeTwo) {
    run.profile.Set("PrinterPorts", "Fax", "winspool,,15,45");  // no port
    EXPECT_EQ(run.Start("fax"), 2);
    EXPECT_EQ(SuccessWindowsShown(), 0);
    ASSERT_EQ(run.toolkit.messages.size(), 1U);
    EXPECT_EQ(run.toolkit.messages[0].text, "The default printer could not be set to Fax.");
    EXPECT_EQ(run.toolkit.messages[0].title, "Error");
    EXPECT_EQ(run.toolkit.messages[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(run.LogLines().back(), "set default printer to Fax failed");
}

TEST_F(MainWindowRun, SpoolerRefusalShowsItsErrorCodeEvenWhenQuiet) {
    run.system.version = {platform::kPlatformWin32Windows, 4};
    run.spooler.setPrinterError = 122;
    EXPECT_EQ(run.Start("fax /q"), 2);
    ASSERT_EQ(run.toolkit.messages.size(), 1U);
    EXPECT_EQ(run.toolkit.messages[0].text, "SetPrinterFailed. Error code: 122");
    EXPECT_EQ(run.toolkit.messages[0].title, "Quillon");
    EXPECT_EQ(run.toolkit.messages[0].icon, platform::MessageIcon::None);
}

TEST_F(MainWindowRun, RefusedProfileWriteIsAFailureToo) {
    run.profile.failWrites = true;
    EXPECT_EQ(run.Start("fax /q"), 2);
    EXPECT_TRUE(run.toolkit.messages.empty()) << "quiet runs show no error box";
    EXPECT_TRUE(run.profile.broadcasts.empty()) << "nothing changed to tell of";
}

TEST_F(MainWindowRun, HourglassIsShownWhileTheDefaultIsSet) {
    EXPECT_EQ(run.Start("fax /q"), 0);
    EXPECT_EQ(run.toolkit.pointers, (std::vector<platform::ScreenPointer>{
                                        platform::ScreenPointer::Hourglass,
                                        platform::ScreenPointer::Default}));
}

// "Let Windows manage my default printer": asked about only where Windows
// 10 1511 or later manages it and the run may show its windows.
struct ManagementCase {
    const char* label;
    platform::VersionInfo version;
    std::optional<platform::RegistryValue> mode;  // LegacyDefaultPrinterMode
    const char* commandLine;                      // "": "Set as default" in the window
    std::optional<bool> answer;                   // OK or Cancel; none: no notice expected
    std::optional<int> exitCode;                  // none: the window stays
};

class WindowsManagement : public MainWindowRun,
                          public ::testing::WithParamInterface<ManagementCase> {};

TEST_P(WindowsManagement, IsTurnedOffOnlyWhenTheUserAgrees) {
    const auto& c = GetParam();
    run.system.version = c.version;
    const auto root = platform::RegistryRoot::CurrentUser;
    const char* key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    if (c.mode) run.registry.SetRaw(root, key, "LegacyDefaultPrinterMode", c.mode->type, c.mode->data);
    run.toolkit.onQuestion = [&](const fakes::FakeToolkit::Message& notice) {
        EXPECT_EQ(notice.text, "Setting this printer as default means Windows will stop "
                               "managing your default printer.");
        return c.answer.value_or(false);
    };
    auto ending = run.Start(c.commandLine);
    if (std::string_view(c.commandLine).empty()) {
        ending = run.Ending([&] { Main().Click("cmdSetDefault"); });
    }

    EXPECT_EQ(ending, c.exitCode);
    const bool asked = std::any_of(run.toolkit.messages.begin(), run.toolkit.messages.end(),
                                   [](const auto& message) { return message.withCancel; });
    EXPECT_EQ(asked, c.answer.has_value());
    const bool agreed = c.answer.value_or(false);
    const auto mode = run.registry.Get(root, key, "LegacyDefaultPrinterMode");
    if (agreed) {
        ASSERT_TRUE(mode);
        EXPECT_EQ(mode->type, platform::kRegDword);
        EXPECT_EQ(mode->data, std::string("\1\0\0\0", 4));
    } else {
        EXPECT_TRUE(run.registry.writes.empty()) << "Windows' setting is left as it was";
    }
    EXPECT_EQ(run.Device().has_value(), c.exitCode == 0);
    if (!c.exitCode) EXPECT_TRUE(Main().IsShown());
    if (std::string_view(c.commandLine) == "fax /q") {
        EXPECT_TRUE(Logged("Windows manages the default printer: left on"));
    }
}

const platform::VersionInfo k1507{2, 10, 0, 10240}, k1511{2, 10, 0, 10586}, k22H2{2, 10, 0, 19045},
    kSeven{2, 6, 1, 7601};
const platform::RegistryValue kZero{platform::kRegDword, std::string(4, '\0')},
    kOne{platform::kRegDword, std::string("\1\0\0\0", 4)}, kTextOne{platform::kRegSz, "1"},
    kShortOne{platform::kRegDword, std::string("\1\0\0", 3)};

INSTANTIATE_TEST_SUITE_P(
    Runs, WindowsManagement,
    ::testing::Values(ManagementCase{"absent OK", k1511, {}, "", true, 0},
                      ManagementCase{"zero Cancel", k22H2, kZero, "", false, {}},
                      ManagementCase{"text is no number", k22H2, kTextOne, "", true, 0},
                      ManagementCase{"short dword is no number", k22H2, kShortOne, "", true, 0},
                      ManagementCase{"off already", k22H2, kOne, "", {}, 0},
                      ManagementCase{"before 1511", k1507, {}, "", {}, 0},
                      ManagementCase{"windows 7", kSeven, {}, "", {}, 0},
                      ManagementCase{"command line OK", k22H2, {}, "fax", true, 0},
                      ManagementCase{"command line Cancel", k22H2, kZero, "fax", false, 3},
                      ManagementCase{"quiet", k22H2, kZero, "fax /q", {}, 0}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

// Nobody to see the run: as with "/q /nogui", whatever the command line.
struct UnseenCase {
    const char* commandLine;
    int exitCode;
    const char* device;
    bool sessionZero = false;  // a visible WinSta0, but in session 0
};

class UnseenRun : public MainWindowRun, public ::testing::WithParamInterface<UnseenCase> {};

TEST_P(UnseenRun, ShowsNothingAndEndsByItself) {
    const auto& c = GetParam();
    run.system.windowStationVisible = c.sessionZero;
    run.system.sessionZero = c.sessionZero;
    run.system.version = {2, 10, 0, 19045};  // Windows manages the default, unasked
    run.registry.Remove(platform::RegistryRoot::CurrentUser, settings::kSettingsKey, "desktop");
    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    EXPECT_EQ(run.Device(), c.device ? std::optional<std::string>(c.device) : std::nullopt);
    EXPECT_TRUE(run.toolkit.messages.empty());
    for (const char* window : {"frmQuillon", "frmSetup", "frmSuccess"}) {
        EXPECT_EQ(run.toolkit.ShowCount(window), 0) << window;
    }
    EXPECT_TRUE(Logged(c.sessionZero ? "session 0: no window or box shown, as with /q /nogui"
                                     : "window station not visible: no window or box shown, as with /q /nogui"));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, UnseenRun,
    ::testing::Values(UnseenCase{"fax", 0, "Fax,winspool,FAX:"}, UnseenCase{"laser", 1, nullptr},
                      UnseenCase{"", 1, nullptr}, UnseenCase{"/setup fax", 0, "Fax,winspool,FAX:"},
                      UnseenCase{"/?", 0, nullptr},
                      UnseenCase{"fax", 0, "Fax,winspool,FAX:", true}),
    [](const auto& info) {
        return testing_names::FromText(
            std::string(info.param.sessionZero ? "session 0 " : "") + info.param.commandLine,
            info.index);
    });

TEST_F(MainWindowRun, QuietRunNeverAsksWhoSeesIt) {
    EXPECT_EQ(run.Start("fax /q /nogui"), 0);
    EXPECT_EQ(run.system.windowStationQueries, 0) << "the question loads the window system";
}

}  // namespace
}  // namespace quillon
