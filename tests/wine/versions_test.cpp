#include <algorithm>
#include <string>

#include "wine/fixture.h"
#include "wine/layout.h"

namespace quillon::e2e {
namespace {

// A top-level window of the test that counts the profile-change broadcasts
// the program sends, and the section each names.
class BroadcastListener {
public:
    BroadcastListener() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillonBroadcastListener";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA(windowClass.lpszClassName, "listener", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
        sections().clear();
    }
    ~BroadcastListener() { DestroyWindow(window_); }

    // Handles this thread's messages while the program runs.
    DWORD PumpUntilExit(Process& program, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            if (auto code = program.WaitForExit(0ms)) return *code;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left <= 0ms) return 99;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left.count(), 100)),
                                      QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
    }

    static std::vector<std::string>& sections() {
        static std::vector<std::string> received;
        return received;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_WININICHANGE) {
            sections().push_back(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST_F(QuillonTest, VersionSixAndLaterBroadcastTheChangeOnce) {
    for (const char* version : {"win7", "win10"}) {
        SetWineVersion(version);
        SetDefaultDevice("");
        BroadcastListener listener;
        auto& program = Start("fax /q");
        EXPECT_EQ(listener.PumpUntilExit(program, 30s), 0U) << version;
        EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:") << version;
        EXPECT_EQ(BroadcastListener::sections(), std::vector<std::string>{"windows"}) << version;
    }
}

TEST_F(QuillonTest, VersionFiveBroadcastsTheChangeOnce) {
    SetWineVersion("winxp64");
    BroadcastListener listener;
    auto& program = Start("fax /q");
    EXPECT_EQ(listener.PumpUntilExit(program, 30s), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
    EXPECT_EQ(BroadcastListener::sections(), std::vector<std::string>{"windows"});
}

// Windows before Vista has neither the Network List Manager nor the Task
// Scheduler that starts on network events: the main window comes without
// "Per network...", its other buttons and list closed up.
TEST_F(QuillonTest, VersionFiveOffersNoPrinterPerNetwork) {
    SetWineVersion("winxp64");
    HWND main = Start("").WaitForWindow(texts::ProgramTitle);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(FindControl(main, "Button", texts::English().PerNetwork), nullptr);
    EXPECT_NE(FindControl(main, "Button", texts::English().Quit), nullptr);
    EXPECT_EQ(LayoutFaults(main, 96), std::vector<std::string>{});
}

TEST_F(QuillonTest, NinetyEightFamilyGoesThroughTheSpooler) {
    SetWineVersion("win98");
    auto& program = Start("fax");
    // Wine refuses the level-5 write (with error 50 or 122, by its version):
    // the failure is shown with its code, nothing is confirmed, and the run
    // ends with 2.
    HWND box = program.WaitForWindow("Quillon", 20s);
    ASSERT_NE(box, nullptr);
    const auto texts = ControlTexts(box);
    const auto shown = std::find_if(texts.begin(), texts.end(), [](const std::string& text) {
        const std::string prefix = "SetPrinterFailed. Error code: ";
        return text.starts_with(prefix) && text.size() > prefix.size() &&
               text.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
    });
    EXPECT_NE(shown, texts.end()) << ::testing::PrintToString(texts);
    Press(FindControl(box, "Button"));
    EXPECT_EQ(program.WaitForExit(20s), 2U);
    EXPECT_EQ(program.WindowCaptions().size(), 0U);
    EXPECT_EQ(DefaultDevice(), "") << "the profile is not touched on this path";
}

TEST_F(QuillonTest, NinetyEightFamilyReportsAPrinterTheSpoolerCannotOpen) {
    SetWineVersion("win98");
    auto& program = Start("plotter");
    HWND box = program.WaitForWindow("Error", 20s);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindControl(box, "Static", "The default printer could not be set to Plotter on srv."),
              nullptr);
    Press(FindControl(box, "Button"));
    EXPECT_EQ(program.WaitForExit(20s), 2U);
}

}  // namespace
}  // namespace quillon::e2e
