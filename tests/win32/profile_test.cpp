#include "win32/win32_profile.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "win32/unique_handle.h"

namespace quillon::platform::win32 {
namespace {

// Each test writes a section of its own and removes it again.
class Win32ProfileTest : public ::testing::Test {
protected:
    const std::string section = "Quillon Test " + std::to_string(GetCurrentProcessId());
    Win32Profile profile;

    void TearDown() override { WriteProfileStringA(section.c_str(), nullptr, nullptr); }
};

TEST_F(Win32ProfileTest, KeyListIsNulSeparatedInProfileOrderAndLeavesTheRestOfTheBuffer) {
    ASSERT_EQ(profile.WriteString(section, "Laser 4", "winspool,Ne01:,15,45"), 0U);
    ASSERT_EQ(profile.WriteString(section, "\\\\prtsrv\\Fax", "winspool,Ne02:,15,45"), 0U);
    ASSERT_EQ(profile.WriteString(section, "A", "winspool,LPT1:,15,45"), 0U);

    std::vector<char> buffer(64, ' ');
    const auto count = profile.GetString(section, std::nullopt, "", buffer);

    const std::string expected("Laser 4\0\\\\prtsrv\\Fax\0A\0\0", 24);
    EXPECT_EQ(count, expected.size() - 1);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 24), expected);
    EXPECT_EQ(std::string(buffer.begin() + 24, buffer.end()), std::string(64 - 24, ' '));
}

// Windows cuts the last name that does not fit; Wine leaves it out. Both
// end the list with two NULs inside the buffer and return its size - 2.
TEST_F(Win32ProfileTest, KeyListLargerThanTheBufferReturnsSizeMinusTwo) {
    std::vector<std::string> keys;
    for (int i = 0; i < 20; ++i) {
        keys.push_back("Printer " + std::to_string(i));
        ASSERT_EQ(profile.WriteString(section, keys.back(), "x"), 0U);
    }
    std::vector<char> buffer(32, ' ');
    EXPECT_EQ(profile.GetString(section, std::nullopt, "", buffer), buffer.size() - 2);

    const std::string content(buffer.begin(), buffer.end());
    const auto end = content.find(std::string("\0\0", 2));
    ASSERT_NE(end, std::string::npos) << "the list is not ended";
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= end; start = content.find('\0', start) + 1) {
        names.push_back(content.substr(start, content.find('\0', start) - start));
    }
    ASSERT_GE(names.size(), 2u);
    for (std::size_t i = 0; i + 1 < names.size(); ++i) EXPECT_EQ(names[i], keys[i]);
    EXPECT_EQ(keys[names.size() - 1].rfind(names.back(), 0), 0u) << names.back();
}

TEST_F(Win32ProfileTest, ValuesAndDefaults) {
    ASSERT_EQ(profile.WriteString(section, "Fax", "winspool,FAX:,15,45"), 0U);
    struct Case {
        const char* key;
        const char* defaultValue;
        std::size_t bufferSize;
        std::string expected;
        std::size_t count;
    };
    const Case cases[] = {
        {"Fax", "", 1024, "winspool,FAX:,15,45", 19},
        {"FAX", "", 1024, "winspool,FAX:,15,45", 19},  // names ignore letter case
        {"Missing", "", 1024, "", 0},
        {"Missing", ",,,", 254, ",,,", 3},
        {"Fax", "", 9, "winspool", 8},  // cut to fit: size - 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + std::to_string(c.bufferSize));
        std::vector<char> buffer(c.bufferSize, ' ');
        EXPECT_EQ(profile.GetString(section, std::string_view(c.key), c.defaultValue, buffer),
                  c.count);
        EXPECT_EQ(std::string(buffer.data()), c.expected);
    }
}

TEST_F(Win32ProfileTest, AnEmptyBufferReceivesNothing) {
    ASSERT_EQ(profile.WriteString(section, "Fax", "winspool,FAX:,15,45"), 0U);
    EXPECT_EQ(profile.GetString(section, std::nullopt, "", {}), 0u);
    EXPECT_EQ(profile.GetString(section, std::string_view("Fax"), "", {}), 0u);
}

// [windows] "device" is where the default printer lives; the test puts the
// value it found back afterwards.
TEST_F(Win32ProfileTest, WindowsDeviceIsWrittenAndReadBack) {
    char saved[1024]{};
    const bool existed =
        GetProfileStringA("windows", "device", "\x01", saved, sizeof saved) != 1 ||
        saved[0] != '\x01';
    ASSERT_EQ(profile.WriteString("windows", "Device", "Quillon Test,winspool,Ne99:"), 0U);
    std::vector<char> buffer(254, ' ');
    const auto count = profile.GetString("windows", std::string_view("device"), ",,,", buffer);
    if (existed) {
        WriteProfileStringA("windows", "device", saved);
    } else {
        WriteProfileStringA("windows", "device", nullptr);
    }
    EXPECT_EQ(std::string(buffer.data()), "Quillon Test,winspool,Ne99:");
    EXPECT_EQ(count, 27u);
}

// Windows on a thread of their own that record the section names of the
// profile changes they are told about.
class Listener {
public:
    // A hung listener creates its windows and then stops answering.
    explicit Listener(bool hung, int windows = 1) : hung_(hung), windows_(windows) {
        thread_ = std::thread([this] { Run(); });
        WaitForSingleObject(ready_.get(), INFINITE);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    ~Listener() {
        SetEvent(release_.get());
        if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    std::vector<std::string> Sections() {
        std::lock_guard lock(mutex_);
        return sections_;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Listener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_WININICHANGE && self != nullptr) {
            std::lock_guard lock(self->mutex_);
            self->sections_.emplace_back(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
            return 0;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            return 0;
        }
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Run() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillonProfileListener";
        RegisterClassA(&windowClass);
        for (int i = 0; i < windows_; ++i) {
            HWND window = CreateWindowExA(0, windowClass.lpszClassName, "listener", WS_OVERLAPPEDWINDOW,
                                          0, 0, 100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            if (window_ == nullptr) window_ = window;
        }
        SetEvent(ready_.get());
        if (hung_) WaitForSingleObject(release_.get(), INFINITE);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    bool hung_;
    int windows_;
    unique_handle ready_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    unique_handle release_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::vector<std::string> sections_;
    std::thread thread_;
};

TEST(Win32ProfileBroadcastTest, TellsTopLevelWindowsAndDoesNotWaitForeverOnAHungOne) {
    Listener listener(false);
    Listener hung(true);
    Win32Profile profile;

    const auto start = std::chrono::steady_clock::now();
    profile.BroadcastChange("windows");
    const auto elapsed = std::chrono::steady_clock::now() - start;

    // Two seconds at most for all windows together, and a little to spare.
    EXPECT_LT(elapsed, std::chrono::seconds(3));
    EXPECT_EQ(listener.Sections(), std::vector<std::string>{"windows"});
}

int ThreadsOfThisProcess() {
    const unique_file snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &thread); more; more = Thread32Next(snapshot.get(), &thread)) {
        if (thread.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    return count;
}

// Each hung window holds a worker past the broadcast's wait: a second
// broadcast starts none while the first one's hold the process's most.
TEST(Win32ProfileBroadcastTest, WorkersOfEveryBroadcastTogetherStayWithinOneLimit) {
    Listener hung(true, 100);
    const int before = ThreadsOfThisProcess();
    Win32Profile profile;
    profile.BroadcastChange("windows");
    profile.BroadcastChange("windows");
    const int started = ThreadsOfThisProcess() - before;
    EXPECT_GT(started, 1);
    EXPECT_LE(started, 64);
}

}  // namespace
}  // namespace quillon::platform::win32
