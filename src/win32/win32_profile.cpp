#include "win32/win32_profile.h"

#include <windows.h>

#include <process.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "win32/unique_handle.h"

namespace quillon::platform::win32 {

namespace {

constexpr DWORD kTotalWaitMs = static_cast<DWORD>(Profile::kBroadcastWaitSeconds * 1000);
// A send that times out before its window took the message may take it
// back (Wine does), so each send may wait long: the run waits for
// none of them beyond its own bound, and a window whose program is busy
// for a few seconds still gets the news when it gets to it.
constexpr UINT kAnswerTimeoutMs = 30000;
// No answer for this long, and the windows not yet told wait behind a slow
// one: another worker takes them on. Answers take a millisecond or less.
constexpr DWORD kStallMs = 20;
// Each slow window holds a worker until it answers, even after the
// broadcast that started it has stopped waiting; past this many in the
// process, however many broadcasts started them, the rest wait for one of
// them.
constexpr int kMostWorkers = 64;
// A worker only sends: a small stack, reserved rather than the program's
// default, so that many of them cost little address space.
constexpr unsigned kWorkerStackBytes = 64 * 1024;

// The workers running in the process, of every broadcast.
std::atomic<int> runningWorkers{0};

// One broadcast, shared by the thread that waits for it and the workers
// that send it. Workers may outlive the wait, so each holds a share.
struct Walk {
    std::string section;
    std::vector<HWND> windows;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> answered{0};
    // Whether some of the windows are the calling thread's own.
    bool callerHasWindows = false;
    // Set at every answer.
    unique_handle progress{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
};

BOOL CALLBACK AddWindow(HWND window, LPARAM parameter) {
    auto& walk = *reinterpret_cast<Walk*>(parameter);
    walk.windows.push_back(window);
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        walk.callerHasWindows = true;
    }
    return TRUE;
}

void Send(Walk& walk, std::size_t index, UINT timeoutMs) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(walk.windows[index], WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(walk.section.c_str()), SMTO_ABORTIFHUNG, timeoutMs,
                        &ignored);
    ++walk.answered;
    SetEvent(walk.progress.get());
}

unsigned WINAPI Worker(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Walk>> walk(static_cast<std::shared_ptr<Walk>*>(parameter));
    // The windows no other worker has taken yet, one at a time.
    Walk& shared = **walk;
    for (std::size_t index = shared.next++; index < shared.windows.size(); index = shared.next++) {
        Send(shared, index, kAnswerTimeoutMs);
    }
    --runningWorkers;
    return 0;
}

// Through the C runtime, which the worker uses to free its share. False
// where the process has its most workers already, or none could start.
bool StartWorker(const std::shared_ptr<Walk>& walk) {
    int running = runningWorkers.load();
    do {
        if (running >= kMostWorkers) return false;
    } while (!runningWorkers.compare_exchange_weak(running, running + 1));
    auto share = std::make_unique<std::shared_ptr<Walk>>(walk);
    const unique_handle worker(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, kWorkerStackBytes, &Worker, share.get(),
                       STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr)));
    if (!worker) {
        --runningWorkers;
        return false;
    }
    static_cast<void>(share.release());
    return true;
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

std::uint32_t Win32Profile::WriteString(std::string_view section, std::string_view key,
                                        std::string_view value) {
    const std::string sectionText(section);
    const std::string keyText(key);
    const std::string valueText(value);
    if (WriteProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str())) return 0;
    // The profile is the registry's: a refusal without a code of its own
    // is one to write there.
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_CANTWRITE;
}

// HWND_BROADCAST walks the windows one after the other, each with the
// whole time-out, and the messages that return at once (SendNotifyMessage,
// SendMessageCallback) cannot carry the section's text. So workers send to
// the windows one by one, another starting whenever those running wait on
// slow windows, and this thread waits for them up to a deadline that holds
// however many windows are slow.
void Win32Profile::BroadcastChange(std::string_view section) {
    const auto walk = std::make_shared<Walk>();
    walk->section = section;
    EnumWindows(&AddWindow, reinterpret_cast<LPARAM>(walk.get()));
    const std::size_t count = walk->windows.size();
    HANDLE progress[] = {walk->progress.get()};
    if (count == 0) return;

    // GetTickCount's differences hold across its wrap-around.
    const DWORD start = GetTickCount();
    DWORD lastAnswer = start;
    int workers = 0;
    while (progress[0] != nullptr) {
        if (walk->answered == count) return;
        const DWORD now = GetTickCount();
        if (now - start >= kTotalWaitMs) return;
        DWORD wait = kTotalWaitMs - (now - start);
        if (walk->next < count) {
            if (workers == 0 || now - lastAnswer >= kStallMs) {
                if (StartWorker(walk)) ++workers;
                lastAnswer = now;
            }
            if (workers == 0) break;
            wait = std::min(wait, kStallMs - (now - lastAnswer));
        }
        // Where this thread's windows are among them, the workers wait for
        // their answers: what is sent to this thread is handled meanwhile,
        // and nothing else. A run without windows needs no message queue.
        const DWORD woke = walk->callerHasWindows
                               ? MsgWaitForMultipleObjectsEx(1, progress, wait, QS_SENDMESSAGE, 0)
                               : WaitForSingleObject(progress[0], wait);
        if (woke == WAIT_OBJECT_0) {
            lastAnswer = GetTickCount();
        } else if (woke == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else if (woke == WAIT_FAILED) {
            return;
        }
    }
    // Without a worker the windows are told from here, as far as the time
    // allows.
    for (std::size_t index = walk->next++; index < count; index = walk->next++) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= kTotalWaitMs) return;
        Send(*walk, index, kTotalWaitMs - spent);
    }
}

}  // namespace quillon::platform::win32
