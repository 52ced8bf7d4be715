#include <string>

#include "wine/fixture.h"

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

TEST_F(QuillonTest, VersionSixSetsTheProfileWithoutBroadcast) {
    BroadcastListener listener;
    auto& program = Start("fax /q");
    EXPECT_EQ(listener.PumpUntilExit(program, 30s), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
    EXPECT_TRUE(BroadcastListener::sections().empty());
}

TEST_F(QuillonTest, VersionFiveBroadcastsTheChangeOnce) {
    SetWineVersion("winxp64");
    BroadcastListener listener;
    auto& program = Start("fax /q");
    EXPECT_EQ(listener.PumpUntilExit(program, 30s), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
    EXPECT_EQ(BroadcastListener::sections(), std::vector<std::string>{"windows"});
}

TEST_F(QuillonTest, NinetyEightFamilyGoesThroughTheSpooler) {
    SetWineVersion("win98");
    auto& program = Start("fax");
    // Fax is no printer of the spooler here, or Wine refuses the level-5
    // write: either way nothing is confirmed and the run ends with 2.
    HWND box = program.WaitForWindow("Error", 20s);
    if (box == nullptr) box = program.WaitForWindow("Quillon", 1s);
    ASSERT_NE(box, nullptr) << "a failure must be shown";
    Press(FindControl(box, "Button"));
    EXPECT_EQ(program.WaitForExit(20s), 2U);
    EXPECT_EQ(DefaultDevice(), "") << "the profile is not touched on this path";
}

}  // namespace
}  // namespace quillon::e2e
