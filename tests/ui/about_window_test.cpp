#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fakes/harness.h"
#include "ui/about_window.h"
#include "version.h"

namespace quillon::ui {
namespace {

using fakes::FakeWindow;
using platform::MessageIcon;
using platform::RegistryRoot;
using platform::ScreenPointer;

constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";
constexpr std::uint32_t kRegBinary = 3;

// The main window is open; the test scripts what the user does in the
// about window while it is shown.
class AboutWindowRun : public ::testing::Test {
protected:
    fakes::Harness run;

    void SetUp() override {
        run.StoreOptions("1", "1", "1");
        run.AddPrinter("Fax", "winspool", "FAX:");
        ASSERT_EQ(run.Start(""), std::nullopt);
    }

    FakeWindow& Main() { return *run.toolkit.Find("frmQuillon"); }

    // Clicks "A&bout" and runs the script while the about window is open.
    void OpenAbout(std::function<void(FakeWindow&)> script) {
        run.toolkit.onModal["frmAbout"] = std::move(script);
        Main().Click("cmdAbout");
    }

    long Count(std::string_view line) const {
        const auto lines = run.LogLines();
        return std::count(lines.begin(), lines.end(), line);
    }
};

TEST_F(AboutWindowRun, AboutShowsTheProgramModallyOverTheMainWindow) {
    bool shown = false;
    OpenAbout([&](FakeWindow& about) {
        shown = true;
        EXPECT_TRUE(about.IsModal());
        EXPECT_EQ(about.Owner(), &Main());
        EXPECT_EQ(about.Caption(""), "About Quillon");
        EXPECT_EQ(about.Caption("lblTitle"), "Quillon - Quillon Utility");
        EXPECT_EQ(about.Caption("lblVersion"), "Version 1.7");
        EXPECT_EQ(about.Caption("lblWebLink"), QUILLON_WEB_PAGE);
        EXPECT_EQ(about.Caption("lblEmailLink"), QUILLON_SUPPORT_EMAIL);
        EXPECT_EQ(about.TextColor("lblWebLink"), 0xFF0000U);
        EXPECT_EQ(about.TextColor("lblEmailLink"), 0xFF0000U);
        about.Click("cmdOK");
        EXPECT_FALSE(about.IsLoaded());
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Main().IsLoaded());
    EXPECT_EQ(run.toolkit.Active(), &Main());
}

TEST_F(AboutWindowRun, MainWindowLogsItsDisplayAgainWhenAboutCloses) {
    EXPECT_EQ(Count("main gui displayed"), 1);
    OpenAbout([](FakeWindow& about) { about.Click("cmdOK"); });
    EXPECT_EQ(Count("main gui displayed"), 2);
    OpenAbout([](FakeWindow& about) { about.Close(); });
    EXPECT_EQ(Count("main gui displayed"), 3);
    EXPECT_EQ(run.LogLines().back(), "main gui displayed");
}

TEST_F(AboutWindowRun, LinksOpenWithTheShellAndTakeTheVisitedColour) {
    OpenAbout([&](FakeWindow& about) {
        about.Click("lblWebLink");
        EXPECT_EQ(about.TextColor("lblWebLink"), 0x0000FFU);
        EXPECT_EQ(about.TextColor("lblEmailLink"), 0xFF0000U);
        about.Click("lblEmailLink");
        EXPECT_EQ(about.TextColor("lblEmailLink"), 0x0000FFU);
    });
    EXPECT_EQ(run.shell.executed,
              (std::vector<std::string>{"https://" QUILLON_WEB_PAGE, "mailto:" QUILLON_SUPPORT_EMAIL}));
    EXPECT_TRUE(run.toolkit.messages.empty());
}

struct LinkFailureCase {
    const char* label;
    bool opened;
    const char* message;  // nullptr: opened
};

class LinkClick : public AboutWindowRun, public ::testing::WithParamInterface<LinkFailureCase> {};

TEST_P(LinkClick, ALinkThatDidNotOpenSaysWhichProgramFailed) {
    const auto& c = GetParam();
    run.shell.shellExecuteOpens = c.opened;
    std::uint32_t colour = 0;
    OpenAbout([&](FakeWindow& about) {
        about.Click(c.label);
        colour = about.TextColor(c.label);
        EXPECT_TRUE(about.IsLoaded());
    });
    if (c.message == nullptr) {
        EXPECT_EQ(colour, 0x0000FFU);
        EXPECT_TRUE(run.toolkit.messages.empty());
        return;
    }
    EXPECT_EQ(colour, 0xFF0000U) << "a link that did not open keeps its colour";
    ASSERT_EQ(run.toolkit.messages.size(), 1U);
    EXPECT_EQ(run.toolkit.messages[0].text, c.message);
    EXPECT_EQ(run.toolkit.messages[0].title, "Error");
    EXPECT_EQ(run.toolkit.messages[0].icon, MessageIcon::Critical);
}

INSTANTIATE_TEST_SUITE_P(
    Results, LinkClick,
    ::testing::Values(LinkFailureCase{"lblWebLink", true, nullptr},
                      LinkFailureCase{"lblWebLink", false, "Could not start browser!"},
                      LinkFailureCase{"lblEmailLink", true, nullptr},
                      LinkFailureCase{"lblEmailLink", false, "Could not start e-mail program!"}));

TEST(LinkTarget, AnAddressWithAnAtSignIsMailedToAndOneWithoutSchemeGoesOverHttps) {
    struct Case {
        const char* caption;
        const char* target;
    };
    for (const auto& c : {Case{"support@example.com", "mailto:support@example.com"},
                          Case{"www.example.com/quillon", "https://www.example.com/quillon"},
                          Case{"example.com:8080/q", "https://example.com:8080/q"},
                          Case{"HTTP://example.com", "HTTP://example.com"},
                          Case{"nosuchscheme:quillon", "nosuchscheme:quillon"},
                          Case{"1a:b", "https://1a:b"}, Case{":x", "https://:x"},
                          Case{"example.com/~ann@home", "mailto:example.com/~ann@home"},
                          Case{"@", "mailto:@"}, Case{"", ""},
                          Case{"mailto:ann", "mailto:ann"}}) {
        EXPECT_EQ(LinkTarget(c.caption), c.target) << c.caption;
    }
}

TEST_F(AboutWindowRun, AMailtoLinkWithoutAtSignFailsAsABrowser) {
    run.shell.shellExecuteOpens = false;
    OpenAbout([&](FakeWindow& about) {
        about.SetCaption("lblWebLink", "mailto:ann");
        about.Click("lblWebLink");
        about.SetCaption("lblWebLink", "MAILTO:ann");
        about.Click("lblWebLink");
    });
    ASSERT_EQ(run.toolkit.messages.size(), 2U);
    EXPECT_EQ(run.toolkit.messages[0].text, "Could not start e-mail program!");
    EXPECT_EQ(run.toolkit.messages[1].text, "Could not start browser!");
}

TEST_F(AboutWindowRun, EveryOpeningShowsTheLinksUnvisitedAgain) {
    OpenAbout([](FakeWindow& about) { about.Click("lblWebLink"); });
    std::uint32_t colour = 0;
    OpenAbout([&](FakeWindow& about) { colour = about.TextColor("lblWebLink"); });
    EXPECT_EQ(colour, 0xFF0000U);
    EXPECT_EQ(run.toolkit.CreatedCount("frmAbout"), 2);
}

TEST_F(AboutWindowRun, MovingOverALinkShowsTheCustomPointerUntilTheWindowCloses) {
    run.toolkit.SetScreenPointer(ScreenPointer::Custom);
    run.toolkit.pointers.clear();
    ScreenPointer afterLoad = ScreenPointer::Custom;
    ScreenPointer afterMove = ScreenPointer::Default;
    ScreenPointer afterOtherMove = ScreenPointer::Default;
    OpenAbout([&](FakeWindow& about) {
        afterLoad = run.toolkit.pointer;
        dynamic_cast<platform::WindowEvents&>(run.forms.About()).Control_MouseMove("lblEmailLink");
        afterMove = run.toolkit.pointer;
        dynamic_cast<platform::WindowEvents&>(run.forms.About()).Control_MouseMove("lblTitle");
        afterOtherMove = run.toolkit.pointer;
        about.Click("cmdOK");
    });
    EXPECT_EQ(afterLoad, ScreenPointer::Default) << "making the links resets the pointer";
    EXPECT_EQ(afterMove, ScreenPointer::Custom);
    EXPECT_EQ(afterOtherMove, ScreenPointer::Custom) << "leaving the link keeps it";
    EXPECT_EQ(run.toolkit.pointer, ScreenPointer::Default) << "the main window gets the arrow back";
}

// GetKeyValue and StartSysInfo need no window of their own.
class SysInfo : public ::testing::Test {
protected:
    fakes::Harness run;
    frmAbout about{run.state};

    void Store(const char* key, const char* name, std::uint32_t type, std::string_view bytes) {
        run.registry.SetRaw(RegistryRoot::LocalMachine, key, name, type, bytes);
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& message : run.toolkit.messages) texts.push_back(message.text);
        return texts;
    }
};

struct KeyValueCase {
    const char* what;
    std::optional<platform::RegistryValue> stored;
    bool found;
    std::string value;  // KeyVal afterwards; it comes in as "old"
};

class GetKeyValueTest : public SysInfo, public ::testing::WithParamInterface<KeyValueCase> {};

TEST_P(GetKeyValueTest, ReadsTheValueByItsType) {
    const auto& c = GetParam();
    if (c.stored) Store(kSysInfoKey, "PATH", c.stored->type, c.stored->data);
    std::string value = "old";
    EXPECT_EQ(about.GetKeyValue(RegistryRoot::LocalMachine, kSysInfoKey, "PATH", value), c.found);
    EXPECT_EQ(value, c.value);
}

using platform::RegistryValue;
using std::string_literals::operator""s;

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        KeyValueCase{"missing", std::nullopt, false, ""},
        KeyValueCase{"sz with NUL", RegistryValue{1, "C:\\msinfo32.exe\0"s}, true,
                     "C:\\msinfo32.exe"},
        KeyValueCase{"sz without NUL", RegistryValue{1, "C:\\msinfo32.exe"}, true,
                     "C:\\msinfo32.exe"},
        KeyValueCase{"sz only one NUL dropped", RegistryValue{1, "ab\0\0"s}, true, "ab\0"s},
        KeyValueCase{"empty sz", RegistryValue{1, "\0"s}, true, ""},
        KeyValueCase{"dword", RegistryValue{4, "\x2A\0\0\0"s}, true, "42"},
        KeyValueCase{"dword 256", RegistryValue{4, "\0\x01\0\0"s}, true, "256"},
        KeyValueCase{"dword high byte", RegistryValue{4, "\0\0\0\x01"s}, true, "16777216"},
        KeyValueCase{"dword all ones", RegistryValue{4, "\xFF\xFF\xFF\xFF"s}, true, "4294967295"},
        KeyValueCase{"expand sz", RegistryValue{2, "%windir%\\x.exe\0"s}, true, "old"},
        KeyValueCase{"binary", RegistryValue{3, "\x01\x02"s}, true, "old"},
        KeyValueCase{"fills the buffer", RegistryValue{1, std::string(1024, 'a')}, true,
                     std::string(1024, 'a')},
        KeyValueCase{"longer than the buffer", RegistryValue{1, std::string(1025, 'a')}, false,
                     ""}),
    [](const auto& info) {
        std::string name;
        for (const char ch : std::string(info.param.what)) name += std::isalnum(ch) ? ch : '_';
        return name;
    });

TEST_F(SysInfo, AValueOfNoBytesIsAnErrorForTheCaller) {
    for (const std::uint32_t type : {platform::kRegSz, platform::kRegDword, kRegBinary}) {
        Store(kSysInfoKey, "PATH", type, "");
        std::string value = "old";
        EXPECT_THROW(about.GetKeyValue(RegistryRoot::LocalMachine, kSysInfoKey, "PATH", value),
                     EmptyKeyValue)
            << type;
    }
}

TEST_F(SysInfo, StartsTheToolNamedByItsPath) {
    Store(kSysInfoKey, "PATH", platform::kRegSz, "C:\\Tools\\msinfo32.exe\0"s);
    Store(kLocationKey, "MSINFO", platform::kRegSz, "C:\\Other\0"s);
    run.files.AddFile("C:\\Other\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_EQ(run.shell.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
    EXPECT_TRUE(run.toolkit.messages.empty());
}

TEST_F(SysInfo, WithoutAPathStartsTheToolInItsFolder) {
    Store(kLocationKey, "MSINFO", platform::kRegSz, "C:\\Tools\0"s);
    run.files.AddFile("C:\\Tools\\msinfo32.exe");
    about.StartSysInfo();
    EXPECT_EQ(run.shell.started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    EXPECT_TRUE(run.toolkit.messages.empty());
}

TEST_F(SysInfo, TheUserIsToldWhenThereIsNoToolToStart) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::vector<std::string> started;
    };
    const std::vector<Case> cases{
        {"no entries", [] {}, {}},
        {"folder without the tool",
         [&] { Store(kLocationKey, "MSINFO", platform::kRegSz, "C:\\Tools\0"s); },
         {}},
        {"path that does not start",
         [&] {
             Store(kSysInfoKey, "PATH", platform::kRegSz, "C:\\gone.exe\0"s);
             Store(kLocationKey, "MSINFO", platform::kRegSz, "C:\\Tools\0"s);
             run.files.AddFile("C:\\Tools\\MSINFO32.EXE");
             run.shell.startProgramResult = false;
         },
         {"C:\\gone.exe"}},
        {"path of no bytes",
         [&] {
             Store(kSysInfoKey, "PATH", platform::kRegSz, "");
             Store(kLocationKey, "MSINFO", platform::kRegSz, "C:\\Tools\0"s);
             run.files.AddFile("C:\\Tools\\MSINFO32.EXE");
         },
         {}},
        {"folder of no bytes", [&] { Store(kLocationKey, "MSINFO", platform::kRegSz, ""); }, {}},
        {"path of another type counts as an empty path",
         [&] {
             Store(kSysInfoKey, "PATH", kRegBinary, "\x01"s);
             run.shell.startProgramResult = false;
         },
         {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        run.registry.Remove(RegistryRoot::LocalMachine, kSysInfoKey, "PATH");
        run.registry.Remove(RegistryRoot::LocalMachine, kLocationKey, "MSINFO");
        run.shell.started.clear();
        run.shell.startProgramResult = true;
        run.toolkit.messages.clear();
        c.arrange();
        about.StartSysInfo();
        EXPECT_EQ(run.shell.started, c.started);
        ASSERT_EQ(run.toolkit.messages.size(), 1U);
        EXPECT_EQ(run.toolkit.messages[0].text, kUnavailable);
        EXPECT_EQ(run.toolkit.messages[0].title, "Quillon");
        EXPECT_EQ(run.toolkit.messages[0].icon, MessageIcon::None);
    }
}

TEST_F(AboutWindowRun, SystemInfoLeavesTheAboutWindowOpen) {
    run.registry.SetSz(RegistryRoot::LocalMachine, kSysInfoKey, "PATH", "C:\\msinfo32.exe");
    OpenAbout([&](FakeWindow& about) {
        about.Click("cmdSysInfo");
        EXPECT_TRUE(about.IsLoaded());
        run.registry.Remove(RegistryRoot::LocalMachine, kSysInfoKey, "PATH");
        about.Click("cmdSysInfo");
        EXPECT_TRUE(about.IsLoaded());
    });
    EXPECT_EQ(run.shell.started, std::vector<std::string>{"C:\\msinfo32.exe"});
    ASSERT_EQ(run.toolkit.messages.size(), 1U);
    EXPECT_EQ(run.toolkit.messages[0].text, kUnavailable);
}

TEST(AboutLayout, ControlsLieInsideTheWindowWithoutOverlapping) {
    fakes::Harness run;
    const auto& design = run.forms.About().Design();
    struct Box {
        std::string_view name;
        int left, top, right, bottom;
    };
    std::vector<Box> boxes;
    for (const auto& control : design.controls) {
        if (control.kind == platform::ControlKind::Line) {
            // A line keeps its end points in place of its size.
            boxes.push_back({control.name, control.left, control.top, control.width + 1,
                             control.height + 1});
        } else {
            boxes.push_back({control.name, control.left, control.top,
                             control.left + control.width, control.top + control.height});
        }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& a = boxes[i];
        EXPECT_GE(a.left, 0) << a.name;
        EXPECT_GE(a.top, 0) << a.name;
        EXPECT_LE(a.right, design.clientWidth) << a.name;
        EXPECT_LE(a.bottom, design.clientHeight) << a.name;
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& b = boxes[j];
            const bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top ||
                               b.bottom <= a.top;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}

TEST(AboutLayout, StylesMarkLinksTitleSeparatorAndOk) {
    fakes::Harness run;
    const auto style = [&](std::string_view name) {
        for (const auto& control : run.forms.About().Design().controls) {
            if (control.name == name) return control.style;
        }
        ADD_FAILURE() << "no control " << name;
        return std::uint32_t{0};
    };
    for (const char* link : {"lblWebLink", "lblEmailLink"}) {
        EXPECT_EQ(style(link), platform::kUnderline | platform::kHandPointer) << link;
    }
    EXPECT_EQ(style("lblTitle"), platform::kBold);
    EXPECT_EQ(style("Line1"), platform::kEtchedLine);
    EXPECT_EQ(style("cmdOK"), platform::kDefaultButton | platform::kCancelButton);
    for (const char* label : {"lblVersion", "lblDescription", "lblWeb", "lblEmail"}) {
        EXPECT_EQ(style(label), platform::kStyleNone) << label;
    }
}

// What the toolkit hands on to screen readers: the two addresses are
// links, nothing else of the window is.
TEST(AboutWindowDesign, ScreenReadersAreToldTheTwoAddressesAreLinks) {
    fakes::Harness run;
    fakes::FakeAnnotations service;
    std::set<std::string_view> links;
    for (const auto& control : run.forms.About().Design().controls) {
        const auto handle = reinterpret_cast<std::uintptr_t>(&control);
        platform::Annotate(service, handle, control);
        if (service.links.contains(handle)) links.insert(control.name);
    }
    EXPECT_EQ(links, (std::set<std::string_view>{frmAbout::lblWebLink, frmAbout::lblEmailLink}));
}

}  // namespace
}  // namespace quillon::ui
