#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

#include "wine/fixture.h"

// Where Windows' own rules meet the program: its management of the default
// printer, programs that are slow to answer, window stations nobody sees,
// and "/?".
namespace quillon::e2e {
namespace {

TEST_F(QuillonTest, WindowsManagementOfTheDefaultIsTurnedOffOnlyOnOk) {
    struct Case {
        const char* version;
        std::optional<DWORD> mode;
        const char* arguments;
        std::optional<int> button;  // the notice's IDOK or IDCANCEL; none: no notice
    };
    for (const auto& c : {Case{"win10", std::nullopt, "", IDOK}, Case{"win10", 0, "", IDCANCEL},
                          Case{"win10", 1, "", {}}, Case{"win7", std::nullopt, "", {}},
                          Case{"win10", std::nullopt, "fax /q", {}}}) {
        SCOPED_TRACE(std::string(c.version) + " [" + c.arguments + "] mode " +
                     (c.mode ? std::to_string(*c.mode) : "absent"));
        SetWineVersion(c.version);
        SetLegacyDefaultPrinterMode(c.mode);
        SetDefaultDevice("");
        auto& program = Start(c.arguments);
        HWND main = *c.arguments ? nullptr : program.WaitForWindow("Quillon");
        if (main != nullptr) Press(FindControl(main, "Button", "&Set as default"));
        HWND notice = c.button ? WaitForDialog(program.Id(), "Quillon") : nullptr;
        if (c.button) {
            ASSERT_NE(notice, nullptr);
            EXPECT_NE(FindControl(notice, "Static", "Setting this printer as default means Windows "
                                                    "will stop managing your default printer."),
                      nullptr);
            Press(GetDlgItem(notice, *c.button));
        }
        if (c.button == IDCANCEL) {
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(notice); }, 10s));
            EXPECT_EQ(program.WindowCaptions(), std::vector<std::string>{"Quillon"});
            EXPECT_TRUE(IsWindowEnabled(main));
            PostClose(main);
        } else if (main != nullptr) {
            HWND success = program.WaitForWindow("Success");
            EXPECT_EQ(WaitForDialog(program.Id(), "Quillon", 0s), nullptr) << "a notice after all";
            Press(FindControl(success, "Button", "&OK"));
        }
        EXPECT_EQ(program.WaitForExit(10s), 0U);
        EXPECT_EQ(LegacyDefaultPrinterMode(), c.button == IDOK ? 1 : c.mode);
        EXPECT_EQ(DefaultDevice(), c.button == IDCANCEL ? "" : "Fax,winspool,FAX:");
    }
}

// Top-level windows of another program, each in a thread of its own, that
// take five seconds to answer a settings change: busy, not hung, as
// programs starting at log-on are. A quick one answers at once.
std::atomic<int> busyAnswers{0};
std::atomic<int> quickAnswers{0};
std::atomic<bool> busy{false};

LRESULT CALLBACK BusyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE && lParam != 0 && busy &&
        std::string_view(reinterpret_cast<const char*>(lParam)) == "windows") {
        if (GetWindowLongPtrA(window, GWLP_USERDATA) != 0) return ++quickAnswers;
        Sleep(5000);
        return ++busyAnswers;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(QuillonTest, EightBusyProgramsDelayTheRunByTwoSecondsAtMostAndAllAreTold) {
    WNDCLASSA busyClass{};
    busyClass.lpfnWndProc = &BusyProcedure;
    busyClass.hInstance = GetModuleHandleA(nullptr);
    busyClass.lpszClassName = "QuillonBusyWindow";
    RegisterClassA(&busyClass);
    std::vector<std::thread> threads;
    // The quick one first: the newer windows stand before it in the walk.
    std::vector<std::atomic<HWND>> windows(9);
    for (auto& window : windows) {
        const bool quick = &window == &windows.front();
        threads.emplace_back([&window, quick] {
            HWND made = CreateWindowA("QuillonBusyWindow", "busy", WS_OVERLAPPED, 0, 0, 9, 9,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            SetWindowLongPtrA(made, GWLP_USERDATA, quick ? 1 : 0);
            window = made;
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            DestroyWindow(made);
        });
        ASSERT_TRUE(WaitUntil([&] { return window.load() != nullptr; }, 10s));
    }
    // Against the same run with the busy windows asleep: a busy machine
    // stretches both alike, and waiting for one window would add 5 s.
    const auto runTime = [this] {
        SetDefaultDevice("");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunToEnd("fax /q /nogui"), 0U);
        EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
        return std::chrono::steady_clock::now() - start;
    };
    const auto unhindered = runTime();
    busy = true;
    EXPECT_LT(runTime() - unhindered, 3s);
    // Each busy one still gets the news when it gets to it, after the run
    // ended, and so does the one behind them.
    EXPECT_TRUE(WaitUntil([] { return busyAnswers == 8 && quickAnswers == 1; }, 30s))
        << busyAnswers << " busy, " << quickAnswers << " quick";
    for (auto& window : windows) PostMessageA(window, WM_QUIT, 0, 0);
    for (auto& thread : threads) thread.join();
}

TEST_F(QuillonTest, RunNobodyCanSeeShowsNothingAndEndsByItself) {
    // A window station of its own, which is not visible, with a desktop in
    // it, as a service or a task without a user runs in.
    HWINSTA own = GetProcessWindowStation();
    HWINSTA station = CreateWindowStationA("QuillonHidden", 0, WINSTA_ALL_ACCESS, nullptr);
    ASSERT_NE(station, nullptr) << GetLastError();
    SetProcessWindowStation(station);
    HDESK desktop = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    SetProcessWindowStation(own);
    ASSERT_NE(desktop, nullptr) << GetLastError();
    const std::string log = FolderOf(ProgramPath(true)) + "\\QLNDiagnostics.log";
    // Without "/nogui" a name that matches nothing would open the window,
    // and without "/q" a printer set would be confirmed.
    for (const auto& [arguments, code, device] :
         {std::tuple{"laser", 1U, ""}, std::tuple{"fax", 0U, "Fax,winspool,FAX:"}}) {
        DeleteFileA(log.c_str());
        Process run(ProgramPath(true), arguments, "QuillonHidden\\Default");
        EXPECT_EQ(run.WaitForExit(30s), code) << arguments;
        EXPECT_EQ(DefaultDevice(), device) << arguments;
        std::vector<std::string> lines;
        for (const auto& line : ReadLines(log)) {
            lines.push_back(line.substr(std::min<std::size_t>(20, line.size())));
        }
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            "window station not visible: no window or box shown, as with /q /nogui"),
                  lines.end()) << arguments;
    }
    CloseDesktop(desktop);
    CloseWindowStation(station);
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
