#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "wine/fixture.h"

// Where Windows' own rules meet the program: its management of the default
// printer, programs that are slow to answer, window stations nobody sees,
// and "/?".
namespace quillon::e2e {
namespace {

class WindowsManagement : public QuillonTest {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        SetWineVersion("win10");
    }

    // "Set as default" in the window for the preselected printer, Fax.
    HWND PressSetAsDefault() {
        HWND main = Start("").WaitForWindow("Quillon");
        EXPECT_NE(main, nullptr);
        if (main != nullptr) Press(FindControl(main, "Button", "&Set as default"));
        return main;
    }
    HWND Notice(std::chrono::milliseconds timeout = 15s) {
        return WaitForDialog(program_->Id(), "Quillon", timeout);
    }
};

TEST_F(WindowsManagement, OkTurnsItOffAndSetsThePrinter) {
    SetLegacyDefaultPrinterMode(std::nullopt);
    PressSetAsDefault();
    HWND notice = Notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_NE(FindControl(notice, "Static",
                          "Setting this printer as default means Windows will stop managing your "
                          "default printer."),
              nullptr);
    Press(GetDlgItem(notice, IDOK));
    HWND success = program_->WaitForWindow("Success");
    ASSERT_NE(success, nullptr);
    Press(FindControl(success, "Button", "&OK"));
    EXPECT_EQ(program_->WaitForExit(10s), 0U);
    EXPECT_EQ(LegacyDefaultPrinterMode(), 1U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
}

TEST_F(WindowsManagement, CancelSetsNothingAndTheWindowStays) {
    SetLegacyDefaultPrinterMode(0);
    HWND main = PressSetAsDefault();
    HWND notice = Notice();
    ASSERT_NE(notice, nullptr);
    Press(GetDlgItem(notice, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(notice); }, 10s));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(program_->WindowCaptions(), std::vector<std::string>{"Quillon"});
    EXPECT_EQ(LegacyDefaultPrinterMode(), 0U);
    EXPECT_EQ(DefaultDevice(), "");
    PostClose(main);
    EXPECT_EQ(program_->WaitForExit(10s), 0U);
}

TEST_F(WindowsManagement, NoNoticeWhenOffOnWindowsSevenOrInAQuietRun) {
    struct Case {
        const char* version;
        std::optional<DWORD> mode;
        const char* arguments;
    };
    for (const Case& c : {Case{"win10", 1, ""}, Case{"win7", std::nullopt, ""},
                          Case{"win10", std::nullopt, "fax /q"}}) {
        SetWineVersion(c.version);
        SetLegacyDefaultPrinterMode(c.mode);
        SetDefaultDevice("");
        if (*c.arguments != '\0') {
            EXPECT_EQ(RunToEnd(c.arguments), 0U) << c.arguments;
        } else {
            PressSetAsDefault();
            HWND success = program_->WaitForWindow("Success");
            ASSERT_NE(success, nullptr) << c.version;
            EXPECT_EQ(Notice(0ms), nullptr) << c.version;
            Press(FindControl(success, "Button", "&OK"));
            EXPECT_EQ(program_->WaitForExit(10s), 0U) << c.version;
        }
        EXPECT_EQ(LegacyDefaultPrinterMode(), c.mode) << c.version << " " << c.arguments;
        EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:") << c.version << " " << c.arguments;
    }
}

// Top-level windows of another program, each in a thread of its own, that
// take five seconds to answer a settings change: busy, not hung, as
// programs starting at log-on are.
class BusyWindows {
public:
    explicit BusyWindows(int count) {
        for (int i = 0; i < count; ++i) {
            HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
            threads_.emplace_back([this, ready] { Run(ready); });
            WaitForSingleObject(ready, 10000);
            CloseHandle(ready);
        }
    }
    ~BusyWindows() {
        for (DWORD id : threadIds_) PostThreadMessageA(id, WM_QUIT, 0, 0);
        for (auto& thread : threads_) thread.join();
    }
    int Answered() const { return answered_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTINGCHANGE && lParam != 0 &&
            std::string_view(reinterpret_cast<const char*>(lParam)) == "windows") {
            Sleep(5000);
            auto* self = reinterpret_cast<BusyWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            ++self->answered_;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Run(HANDLE ready) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillonBusyWindow";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowA(windowClass.lpszClassName, "busy", WS_OVERLAPPED, 0, 0, 10, 10,
                                    nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        {
            std::lock_guard lock(mutex_);
            threadIds_.push_back(GetCurrentThreadId());
        }
        SetEvent(ready);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        DestroyWindow(window);
    }

    std::mutex mutex_;
    std::vector<DWORD> threadIds_;
    std::atomic<int> answered_{0};
    std::vector<std::thread> threads_;
};

TEST_F(QuillonTest, ThreeBusyProgramsDelayTheRunByTwoSecondsAtMost) {
    BusyWindows busy(3);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunToEnd("fax /q /nogui"), 0U);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
    // Each still gets the news when it gets to it, after the run ended.
    EXPECT_TRUE(WaitUntil([&] { return busy.Answered() == 3; }, 20s)) << busy.Answered();
}

// A window station of the test's own, which is not visible, with a desktop
// in it, as a service or a task without a user runs in.
class HiddenWindowStation {
public:
    HiddenWindowStation() {
        station_ = CreateWindowStationA("QuillonHidden", 0, WINSTA_ALL_ACCESS, nullptr);
        if (station_ == nullptr) return;
        HWINSTA own = GetProcessWindowStation();
        SetProcessWindowStation(station_);
        desktop_ = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        SetProcessWindowStation(own);
    }
    ~HiddenWindowStation() {
        if (desktop_ != nullptr) CloseDesktop(desktop_);
        if (station_ != nullptr) CloseWindowStation(station_);
    }
    bool Made() const { return desktop_ != nullptr; }
    static constexpr const char* kDesktop = "QuillonHidden\\Default";

private:
    HWINSTA station_ = nullptr;
    HDESK desktop_ = nullptr;
};

TEST_F(QuillonTest, RunNobodyCanSeeShowsNothingAndEndsByItself) {
    HiddenWindowStation station;
    ASSERT_TRUE(station.Made()) << GetLastError();
    const std::string log = FolderOf(ProgramPath(true)) + "\\QLNDiagnostics.log";
    // Without "/nogui" a name that matches nothing would open the window,
    // and without "/q" a printer set would be confirmed for three seconds.
    for (const auto& [arguments, code, device] :
         {std::tuple{"laser", 1U, ""}, std::tuple{"fax", 0U, "Fax,winspool,FAX:"}}) {
        DeleteFileA(log.c_str());
        Process run(ProgramPath(true), arguments, HiddenWindowStation::kDesktop);
        EXPECT_EQ(run.WaitForExit(30s), code) << arguments;
        EXPECT_EQ(DefaultDevice(), device) << arguments;
        const auto lines = ReadLines(log);
        const auto said = [&](std::string_view text) {
            return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
                return line.size() > 20 && line.substr(20) == text;
            });
        };
        EXPECT_TRUE(said("window station not visible: no window or box shown, as with /q /nogui"))
            << arguments;
        EXPECT_FALSE(said("main gui displayed")) << arguments;
    }
}

TEST_F(QuillonTest, QuestionMarkSwitchShowsTheUsageAndSetsNothing) {
    auto& program = Start("fax /?");
    HWND usage = WaitForDialog(program.Id(), "Quillon");
    ASSERT_NE(usage, nullptr);
    const auto texts = ControlTexts(usage);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& text) {
        return text.rfind("quillon.exe [printer] [switches]", 0) == 0 &&
               text.find("/nogui") != std::string::npos;
    }));
    Press(GetDlgItem(usage, IDOK));
    EXPECT_EQ(program.WaitForExit(10s), 0U);
    EXPECT_EQ(DefaultDevice(), "");
}

}  // namespace
}  // namespace quillon::e2e
