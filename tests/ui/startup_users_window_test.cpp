#include "ui/startup_users_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/harness.h"
#include "fakes/startup_folders.h"

namespace quillon {
namespace {

using platform::MessageIcon;
using platform::RegistryRoot;

using fakes::kAllStartup;
using fakes::kAllUsersInfo;
using fakes::kTarget;
using fakes::kUserStartup;

// The main window in window mode, with the shortcut buttons on; a test
// answers the Startup dialog through onModal.
class ShortcutButtons : public ::testing::Test {
protected:
    fakes::Harness run;

    void Open(std::string_view startupAll = "1") {
        run.StoreOptions("1", "1", startupAll);
        run.system.environment["APPDATA"] = "C:\\Users\\ann\\AppData\\Roaming";
        run.system.environment["ALLUSERSPROFILE"] = "C:\\ProgramData";
        run.AddPrinter("Fax", "winspool", "FAX:");
        run.AddPrinter("\\\\srv\\Plot|ter", "winspool", "Ne02:");
        run.SetDefault("Fax,winspool,FAX:");
        ASSERT_EQ(run.Start(""), std::nullopt);
        ASSERT_NE(run.toolkit.Find("frmQuillon"), nullptr);
    }

    fakes::FakeWindow& Main() { return *run.toolkit.Find("frmQuillon"); }

    // Selects the entry with the text and clicks the button.
    void ClickFor(std::string_view entry, std::string_view button) {
        auto& main = Main();
        for (int i = 0; i < main.ListCount("lstPrinters"); ++i) {
            if (main.ListText("lstPrinters", i) == entry) main.Select("lstPrinters", i);
        }
        ASSERT_EQ(main.ListText("lstPrinters", main.ListIndex("lstPrinters")), entry);
        main.Click(button);
    }

    void Answer(std::function<void(fakes::FakeWindow&)> script) {
        run.toolkit.onModal["frmStartupUsers"] = std::move(script);
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : run.toolkit.messages) texts.push_back(message.text);
        return texts;
    }

    std::optional<std::string> Machine(std::string_view name) const {
        const auto value = run.registry.Get(RegistryRoot::LocalMachine, settings::kSettingsKey, name);
        if (!value) return std::nullopt;
        return std::string(text::BeforeNul(value->data));
    }
};

TEST_F(ShortcutButtons, DesktopShortcutForTheSelectedEntry) {
    Open();
    ClickFor("Plot|ter on srv", "cmdCreateShortcut");
    const auto link = run.shell.Link("C:\\Users\\ann\\Desktop\\Set default printer to Plotter on srv.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, kTarget);
    EXPECT_EQ(link->arguments, "\"Plot|ter on srv\"");
    ASSERT_EQ(run.toolkit.messages.size(), 1u);
    EXPECT_EQ(run.toolkit.messages[0].text, "Shortcut created successfully!");
    EXPECT_EQ(run.toolkit.messages[0].title, "Success");
    EXPECT_EQ(run.toolkit.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(run.toolkit.CreatedCount("frmStartupUsers"), 0);
}

TEST_F(ShortcutButtons, FailedDesktopShortcutShowsTheError) {
    Open();
    run.shell.failingLinkCall = "SetPath";
    ClickFor("Fax", "cmdCreateShortcut");
    ASSERT_EQ(run.toolkit.messages.size(), 1u);
    EXPECT_EQ(run.toolkit.messages[0].text, "Error creating shortcut.");
    EXPECT_EQ(run.toolkit.messages[0].title, "Error");
    EXPECT_EQ(run.toolkit.messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(ShortcutButtons, NameTheCodePageCannotCarryIsWrittenNowhere) {
    run.AddPrinter("Принтер", "winspool", "LPT3:");
    run.profile.keyListForm = [](const std::string& name) {
        return name == "Принтер" ? std::string("???????") : name;
    };
    Open();
    ClickFor("???????", "cmdCreateShortcut");
    Answer([](fakes::FakeWindow& dialog) { dialog.Click("cmdOK"); });
    ClickFor("???????", "cmdAddToStartup");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Error creating shortcut.", "Error adding to startup."}));
    EXPECT_TRUE(run.shell.linkCalls.empty());
    EXPECT_TRUE(run.shell.linkCalls.empty());
    EXPECT_TRUE(run.shell.readPaths.empty()) << "old entries stay";
    EXPECT_EQ(run.Ending([&] { Main().Click("cmdSetDefault"); }), 2);
    EXPECT_EQ(MessageTexts().back(), "The default printer could not be set to ???????.");
    EXPECT_TRUE(run.profile.writes.empty());
}

TEST_F(ShortcutButtons, DialogLayoutAndAllUsersOffered) {
    Open();
    bool shown = false;
    Answer([&](fakes::FakeWindow& dialog) {
        shown = true;
        EXPECT_EQ(dialog.Caption(""), "Add To Startup");
        EXPECT_EQ(dialog.Caption("blbSelect"), "Add to startup for:");
        EXPECT_EQ(dialog.Caption("optCurrentUserOnly"), "C&urrent User Only");
        EXPECT_EQ(dialog.Caption("optAllUsers"), "&All Users");
        EXPECT_EQ(dialog.Caption("cmdOK"), "&OK");
        EXPECT_EQ(dialog.Caption("cmdCancel"), "&Cancel");
        EXPECT_TRUE(dialog.IsEnabled("optAllUsers"));
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(dialog.Owner(), &Main());
        for (const auto& control : dialog.Design().controls) {
            EXPECT_EQ(control.style & (platform::kDefaultButton | platform::kCancelButton), 0u)
                << control.name;
        }
        dialog.Click("cmdCancel");
    });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_TRUE(shown);
}

TEST_F(ShortcutButtons, CurrentUserEntryGoesIntoTheUsersStartupFolder) {
    Open();
    Answer([](fakes::FakeWindow& dialog) {
        dialog.Choose("optCurrentUserOnly");
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    const auto link = run.shell.Link(std::string(kUserStartup) + "\\Set default printer to Fax.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, kTarget);
    EXPECT_EQ(link->arguments, "\"Fax\"");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Successfully added to startup!"});
    EXPECT_EQ(run.toolkit.messages[0].title, "Success");
    EXPECT_FALSE(Machine("desktop"));
}

TEST_F(ShortcutButtons, OkWithoutAChoiceMeansTheCurrentUser) {
    Open();
    Answer([](fakes::FakeWindow& dialog) { dialog.Click("cmdOK"); });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_TRUE(run.files.Exists(std::string(kUserStartup) + "\\Set default printer to Fax.lnk"));
}

TEST_F(ShortcutButtons, AllUsersEntryShowsTheInfoFirstAndCopiesTheOptions) {
    run.system.version = {2, 6};
    Open();
    Answer([](fakes::FakeWindow& dialog) {
        dialog.Choose("optAllUsers");
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_TRUE(run.files.Exists(std::string(kAllStartup) + "\\Set default printer to Fax.lnk"));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{kAllUsersInfo, "Successfully added to startup!"}));
    EXPECT_EQ(Machine("desktop"), "1");
    EXPECT_EQ(Machine("startup"), "1");
    EXPECT_EQ(Machine("startupall"), "1");
    // Nothing stored for the network-name display: copied as 0.
    EXPECT_EQ(Machine("uncpath"), "0");
}

TEST_F(ShortcutButtons, AllUsersBelowVersionSixHasNoInfo) {
    run.system.version = {2, 5};
    Open();
    Answer([](fakes::FakeWindow& dialog) {
        dialog.Choose("optAllUsers");
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Successfully added to startup!"});
}

TEST_F(ShortcutButtons, FailedAllUsersEntryCopiesNothing) {
    Open();
    run.shell.failingLinkCall = "Save";
    Answer([](fakes::FakeWindow& dialog) {
        dialog.Choose("optAllUsers");
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kAllUsersInfo, "Error adding to startup."}));
    EXPECT_EQ(run.toolkit.messages.back().title, "Error");
    EXPECT_EQ(run.toolkit.messages.back().icon, MessageIcon::Exclamation);
    EXPECT_FALSE(Machine("desktop"));
}

TEST_F(ShortcutButtons, RefusedMachineKeyStillReportsSuccess) {
    Open();
    run.registry.readOnlyRoots.insert(RegistryRoot::LocalMachine);
    Answer([](fakes::FakeWindow& dialog) {
        dialog.Choose("optAllUsers");
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_EQ(run.toolkit.messages.back().text, "Successfully added to startup!");
}

TEST_F(ShortcutButtons, StartupAllTwoDisablesAllUsers) {
    Open("2");
    Answer([](fakes::FakeWindow& dialog) {
        EXPECT_FALSE(dialog.IsEnabled("optAllUsers"));
        EXPECT_TRUE(dialog.IsEnabled("optCurrentUserOnly"));
        // Even if the program itself marked it, a disabled choice is no choice.
        dialog.SetChecked("optAllUsers", true);
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    EXPECT_FALSE(run.files.Exists(std::string(kAllStartup) + "\\Set default printer to Fax.lnk"));
}

TEST_F(ShortcutButtons, CancelOrCloseDoesNothing) {
    for (const bool cancel : {true, false}) {
        run.toolkit.messages.clear();
        if (!run.toolkit.Find("frmQuillon")) Open();
        run.shell.AddLink(std::string(kUserStartup) + "\\Set default printer to Old.lnk",
                          {.target = kTarget});
        Answer([&](fakes::FakeWindow& dialog) {
            if (cancel) {
                dialog.Choose("optAllUsers");
                dialog.Click("cmdCancel");
            } else {
                dialog.Choose("optAllUsers");
                dialog.Close();
            }
        });
        ClickFor("Fax", "cmdAddToStartup");
        EXPECT_TRUE(run.toolkit.messages.empty()) << cancel;
        EXPECT_TRUE(run.files.deleted.empty()) << cancel;
        EXPECT_TRUE(run.shell.linkCalls.empty()) << cancel;
        EXPECT_FALSE(Machine("desktop")) << cancel;
    }
    EXPECT_EQ(run.toolkit.CreatedCount("frmStartupUsers"), 2);
}

TEST_F(ShortcutButtons, SecondEntryReplacesTheFirstWhicheverFolder) {
    Open();
    Answer([](fakes::FakeWindow& dialog) {
        dialog.Choose("optAllUsers");
        dialog.Click("cmdOK");
    });
    ClickFor("Fax", "cmdAddToStartup");
    Answer([](fakes::FakeWindow& dialog) { dialog.Click("cmdOK"); });
    ClickFor("Plot|ter on srv", "cmdAddToStartup");
    EXPECT_FALSE(run.files.Exists(std::string(kAllStartup) + "\\Set default printer to Fax.lnk"));
    EXPECT_TRUE(run.files.Exists(std::string(kUserStartup) + "\\Set default printer to Plotter on srv.lnk"));
}

}  // namespace
}  // namespace quillon
