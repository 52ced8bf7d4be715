#include <algorithm>

#include "wine/fixture.h"

namespace quillon::e2e {
namespace {

constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kMailHandlerKey = "Software\\Classes\\mailto\\shell\\open\\command";
constexpr const char* kWebHandlerKey = "Software\\Classes\\https\\shell\\open\\command";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kVisitedColour = RGB(255, 0, 0);

// The main window is open and no System Information entries exist.
class About : public QuillonTest {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        DeleteMachineKey(kSysInfoKey);
        DeleteMachineKey(kLocationKey);
        mailHandler_ = MachineString(kMailHandlerKey, "");
        webHandler_ = MachineString(kWebHandlerKey, "");
        DeleteFileA(LogPath().c_str());
    }

    void TearDown() override {
        QuillonTest::TearDown();
        DeleteMachineKey(kSysInfoKey);
        DeleteMachineKey(kLocationKey);
        if (mailHandler_) SetMachineString(kMailHandlerKey, "", *mailHandler_);
        if (webHandler_) SetMachineString(kWebHandlerKey, "", *webHandler_);
    }

    static std::string LogPath() { return FolderOf(ProgramPath(true)) + "\\QLNDiagnostics.log"; }

    long Logged(std::string_view text) {
        const auto lines = ReadLines(LogPath());
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.size() > 20 && line.substr(20) == text;
        });
    }

    // Starts the program with the log on and opens the about window.
    HWND OpenAbout() {
        if (!program_) {
            Start("", true);
            main_ = program_->WaitForWindow("Quillon");
            if (main_ == nullptr) return nullptr;
            WaitUntil([&] { return Logged("main gui displayed") == 1; }, 10s);
        }
        Press(FindControl(main_, "Button", "A&bout"));
        return program_->WaitForWindow("About Quillon");
    }

    bool Gone(HWND window) {
        return WaitUntil([&] { return !IsWindow(window) || !IsVisible(window); }, 10s);
    }

    // The child process of that name, waiting for it to appear.
    std::optional<DWORD> Started(std::string_view exeName) {
        std::optional<DWORD> found;
        WaitUntil(
            [&] {
                for (const auto& child : ChildProcesses(program_->Id())) {
                    if (lstrcmpiA(child.exeName.c_str(), std::string(exeName).c_str()) == 0) {
                        found = child.id;
                    }
                }
                return found.has_value();
            },
            15s);
        return found;
    }

    HWND main_ = nullptr;
    std::optional<std::string> mailHandler_;
    std::optional<std::string> webHandler_;
};

TEST_F(About, ShowsNameVersionCompanyAndNoticeOverTheMainWindow) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    for (const char* text :
         {"Quillon - Quillon Utility", "Version 1.7",
          "Quillon Developers\r\n\r\nCopyright (C) 2026 Quillon Developers", "Tech Support:",
          "Web:", "E-Mail:", "www.example.com/quillon", "support@example.com"}) {
        EXPECT_NE(FindControl(about, "Static", text), nullptr) << text;
    }
    EXPECT_NE(FindControl(about, "Button", "OK"), nullptr);
    EXPECT_NE(FindControl(about, "Button", "&System Info..."), nullptr);
    EXPECT_FALSE(IsEnabled(main_)) << "the about window is modal";
    EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
    EXPECT_TRUE(ShowsAnIcon(about)) << "the program icon beside the name";
    EXPECT_GT(PixelsOfColour(FindControl(about, "Static", "support@example.com"), kLinkColour), 0);
}

TEST_F(About, OkEnterAndEscCloseItAndTheMainWindowStays) {
    struct Way {
        const char* name;
        std::function<void(HWND)> close;
    };
    const Way ways[] = {
        {"OK", [](HWND about) { Press(FindControl(about, "Button", "OK")); }},
        {"Enter",
         [](HWND about) {
             SetForegroundWindow(about);
             SendKeyChord({}, VK_RETURN);
         }},
        {"Esc",
         [](HWND about) {
             SetForegroundWindow(about);
             SendKeyChord({}, VK_ESCAPE);
         }},
    };
    long displayed = 1;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        HWND about = OpenAbout();
        ASSERT_NE(about, nullptr);
        way.close(about);
        ASSERT_TRUE(Gone(about));
        EXPECT_TRUE(program_->Running());
        EXPECT_TRUE(IsVisible(main_));
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(main_); }, 30s));
        ++displayed;
        EXPECT_TRUE(WaitUntil([&] { return Logged("main gui displayed") == displayed; }, 10s))
            << "the main window logs its display again";
    }
    EXPECT_EQ(Logged("main gui unloaded"), 0);
}

TEST_F(About, SystemInfoStartsTheProgramItsPathNames) {
    SetMachineString(kSysInfoKey, "PATH", "C:\\windows\\system32\\clock.exe");
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    Press(FindControl(about, "Button", "&System Info..."));
    const auto clock = Started("clock.exe");
    ASSERT_TRUE(clock.has_value());
    EndProcess(*clock);
    EXPECT_TRUE(IsVisible(about)) << "the about window stays open";
    EXPECT_EQ(WaitForDialog(program_->Id(), "Quillon", 1s), nullptr);
}

TEST_F(About, SystemInfoFindsTheToolInTheFolderItsLocationNames) {
    SetMachineString(kLocationKey, "MSINFO", "C:\\windows\\system32");
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    Press(FindControl(about, "Button", "&System Info..."));
    const auto tool = Started("msinfo32.exe");
    ASSERT_TRUE(tool.has_value());
    EndProcess(*tool);
    EXPECT_TRUE(IsVisible(about));
}

TEST_F(About, SystemInfoWithoutEntriesOrWithAnEmptyPathIsUnavailable) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    for (const bool emptyPath : {false, true}) {
        SCOPED_TRACE(emptyPath ? "empty path" : "no entries");
        if (emptyPath) SetMachineValue(kSysInfoKey, "PATH", REG_SZ, "");
        Press(FindControl(about, "Button", "&System Info..."));
        HWND box = WaitForDialog(program_->Id(), "Quillon");
        ASSERT_NE(box, nullptr);
        EXPECT_NE(FindControl(box, "Static", kUnavailable), nullptr);
        Press(FindControl(box, "Button", "OK"));
        ASSERT_TRUE(Gone(box));
        EXPECT_TRUE(IsVisible(about));
        EXPECT_TRUE(ChildProcesses(program_->Id()).empty());
    }
}

TEST_F(About, LinksThatCannotBeOpenedSayWhyAndKeepTheirColour) {
    // No program handles this scheme, and the e-mail handler is gone.
    SetMachineString(kMailHandlerKey, "", "\"C:\\nowhere\\nomail.exe\" \"%1\"");
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    HWND web = FindControl(about, "Static", "www.example.com/quillon");
    ASSERT_NE(web, nullptr);
    SetText(web, "nosuchscheme:quillon");
    HWND mail = FindControl(about, "Static", "support@example.com");
    ASSERT_NE(mail, nullptr);

    struct Case {
        HWND label;
        const char* message;
    };
    for (const auto& c : {Case{web, "Could not start browser!"},
                          Case{mail, "Could not start e-mail program!"}}) {
        SCOPED_TRACE(c.message);
        ClickLabel(c.label);
        HWND box = WaitForDialog(program_->Id(), "Error");
        ASSERT_NE(box, nullptr);
        EXPECT_NE(FindControl(box, "Static", c.message), nullptr);
        Press(FindControl(box, "Button", "OK"));
        ASSERT_TRUE(Gone(box));
        RedrawWindow(c.label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(WaitUntil([&] { return PixelsOfColour(c.label, kLinkColour) > 0; }, 30s));
        EXPECT_EQ(PixelsOfColour(c.label, kVisitedColour), 0);
    }
    EXPECT_TRUE(IsVisible(about));
}

TEST_F(About, TabReachesEachLinkAndEnterOrSpaceOpensItAsAClickDoes) {
    // A stand-in for the browser and the mail program notes what it was given.
    const std::string opened = FolderOf(ProgramPath(true)) + "\\opened.txt";
    DeleteFileA(opened.c_str());
    const std::string handler = "C:\\windows\\system32\\cmd.exe /c echo %1>>\"" + opened + "\"";
    SetMachineString(kWebHandlerKey, "", handler);
    SetMachineString(kMailHandlerKey, "", handler);
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    struct Case {
        const char* link;
        WORD key;
        const char* target;
    };
    std::vector<std::string> expected;
    for (const auto& c : {Case{"www.example.com/quillon", VK_RETURN, "https://www.example.com/quillon"},
                          Case{"support@example.com", VK_RETURN, "mailto:support@example.com"},
                          Case{"www.example.com/quillon", VK_SPACE, "https://www.example.com/quillon"}}) {
        SCOPED_TRACE(c.target);
        HWND label = FindControl(about, "Static", c.link);
        const auto face = [&] { return PixelsOfColour(label, GetSysColor(COLOR_BTNFACE)); };
        const int unfocused = face();
        SetForegroundWindow(about);
        for (int tabs = 0; tabs < 5 && FocusOf(about) != label; ++tabs) {
            // The next Tab only once this one has moved the focus.
            HWND before = FocusOf(about);
            SendKeyChord({}, VK_TAB);
            WaitUntil([&] { return FocusOf(about) != before; }, 30s);
        }
        ASSERT_EQ(FocusOf(about), label) << "Tab reaches the link";
        EXPECT_TRUE(WaitUntil([&] { return face() < unfocused; }, 30s)) << "a focus rectangle";
        SendKeyChord({}, c.key);
        expected.emplace_back(c.target);
        EXPECT_TRUE(WaitUntil([&] { return ReadLines(opened) == expected; }, 10s));
    }
    EXPECT_TRUE(IsVisible(about));
    DeleteFileA(opened.c_str());
}

}  // namespace
}  // namespace quillon::e2e
