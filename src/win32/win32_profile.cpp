#include "win32/win32_profile.h"

#include <windows.h>

#include <process.h>

#include <algorithm>
#include <memory>
#include <string>

#include "win32/unique_handle.h"

namespace quillon::platform::win32 {

namespace {

// How long the broadcast waits for one window before it goes on to the
// next. A sent message that times out stays in the window's queue and is
// still handled when its program gets to it; only the answer is no longer
// awaited, so a short wait loses nothing and reaches more windows in time.
constexpr UINT kPerWindowTimeoutMs = 250;
constexpr DWORD kTotalWaitMs = static_cast<DWORD>(Profile::kBroadcastWaitSeconds * 1000);

void SendToEveryWindow(const char* section) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section),
                        SMTO_ABORTIFHUNG, kPerWindowTimeoutMs, &ignored);
}

// The worker owns its copy of the section: the run may end, or go on to
// other things, before the broadcast is through.
unsigned WINAPI BroadcastWorker(void* parameter) {
    const std::unique_ptr<std::string> section(static_cast<std::string*>(parameter));
    SendToEveryWindow(section->c_str());
    return 0;
}

}  // namespace

std::size_t Win32Profile::GetString(std::string_view section,
                                    std::optional<std::string_view> key,
                                    std::string_view defaultValue, std::span<char> buffer) {
    if (buffer.empty()) return 0;
    const std::string sectionText(section);
    const std::string keyText(key.value_or(std::string_view{}));
    const std::string defaultText(defaultValue);
    const auto size = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    return GetProfileStringA(sectionText.c_str(), key ? keyText.c_str() : nullptr,
                             defaultText.c_str(), buffer.data(), size);
}

bool Win32Profile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    const std::string sectionText(section);
    const std::string keyText(key);
    const std::string valueText(value);
    return WriteProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str()) != FALSE;
}

// SendMessageTimeout gives every window the whole time-out in turn, and
// skips only windows already counted as hung, not busy ones; the messages
// that return at once (SendNotifyMessage, SendMessageCallback) cannot carry
// the section's text. So the broadcast runs on a worker thread, and this
// thread waits for it up to a deadline that holds however many windows are
// slow.
void Win32Profile::BroadcastChange(std::string_view section) {
    auto text = std::make_unique<std::string>(section);
    // Through the C runtime, which the worker uses to free its text.
    const unique_handle worker(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &BroadcastWorker, text.get(), 0, nullptr)));
    if (!worker) {
        SendToEveryWindow(text->c_str());
        return;
    }
    static_cast<void>(text.release());

    // The program's own windows are top-level windows too, and the worker
    // waits for their answers: what is sent to this thread is handled
    // meanwhile, and nothing else.
    const ULONGLONG deadline = GetTickCount64() + kTotalWaitMs;
    HANDLE handles[] = {worker.get()};
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return;
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, handles, static_cast<DWORD>(deadline - now),
                                                       QS_SENDMESSAGE, 0);
        if (woke != WAIT_OBJECT_0 + 1) return;  // through, out of time, or failed
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace quillon::platform::win32
