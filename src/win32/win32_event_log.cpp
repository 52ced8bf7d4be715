#include "win32/win32_event_log.h"

#include <windows.h>

#include <process.h>

#include <memory>
#include <string>
#include <vector>

#include "win32/process_user.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

constexpr wchar_t kSource[] = L"Quillon";
// Writing an event takes a millisecond or two. A log service that has not
// answered by then is not waited for: the run ends as it would have, and
// the event may be lost.
constexpr DWORD kLongestWaitMs = 1000;

struct Event {
    WORD type = EVENTLOG_INFORMATION_TYPE;
    DWORD id = 0;
    std::vector<std::wstring> strings;
    // Event Viewer shows the event's user by it: on a PC that several
    // people use, whose default printer it was.
    std::vector<unsigned char> user;
};

WORD TypeOf(EventType type) {
    switch (type) {
        case EventType::Error: return EVENTLOG_ERROR_TYPE;
        case EventType::Warning: return EVENTLOG_WARNING_TYPE;
        case EventType::Information: break;
    }
    return EVENTLOG_INFORMATION_TYPE;
}

// Without a registered source Windows still writes the event to the
// Application log, with its strings and no description.
unsigned WINAPI Write(void* parameter) {
    const std::unique_ptr<Event> event(static_cast<Event*>(parameter));
    std::vector<LPCWSTR> strings;
    for (const auto& text : event->strings) strings.push_back(text.c_str());
    const unique_event_source source(RegisterEventSourceW(nullptr, kSource));
    if (source) {
        ReportEventW(source.get(), event->type, 0, event->id, event->user.empty() ? nullptr : event->user.data(),
                     static_cast<WORD>(strings.size()), 0, strings.empty() ? nullptr : strings.data(), nullptr);
    }
    return 0;
}

// The text of a message table: the module's where one is given, else the system's.
std::wstring MessageText(DWORD code, HMODULE module = nullptr) {
    wchar_t text[512];
    const DWORD from = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    const DWORD length = FormatMessageW(from | FORMAT_MESSAGE_IGNORE_INSERTS, module, code, 0, text,
                                        static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring result(text, length);
    while (!result.empty() && (result.back() == L'\r' || result.back() == L'\n' || result.back() == L' ')) {
        result.pop_back();
    }
    return result;
}

}  // namespace

// The worker owns the event; when the wait gives up, it finishes alone.
void Win32EventLog::Report(EventType type, std::uint32_t id, std::span<const std::string> strings) {
    auto event = std::make_unique<Event>();
    event->type = TypeOf(type);
    event->id = id;
    for (const auto& text : strings) event->strings.push_back(Widen(text));
    event->user = ProcessUserSid();
    const unique_handle writer(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Write, event.get(), 0, nullptr)));
    if (!writer) return;
    static_cast<void>(event.release());
    WaitForSingleObject(writer.get(), kLongestWaitMs);
}

std::string Win32EventLog::ErrorText(std::uint32_t code) {
    std::wstring text = MessageText(code);
    // A system error carried in an HRESULT has the system's text.
    if (text.empty() && HRESULT_FACILITY(code) == FACILITY_WIN32) text = MessageText(HRESULT_CODE(code));
    // The Task Scheduler's own HRESULTs (SCHED_E_...) are in its library's
    // message table, not the system's; it is read as data, so none of its
    // code runs.
    if (text.empty() && HRESULT_FACILITY(code) == FACILITY_ITF) {
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const std::wstring path = std::wstring(folder, length) + L"\\taskschd.dll";
            const unique_hmodule scheduler(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
            if (scheduler) text = MessageText(code, scheduler.get());
        }
    }
    return Narrow(text);
}

}  // namespace quillon::platform::win32
