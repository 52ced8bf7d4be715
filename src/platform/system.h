#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // the 95/98/Me family
inline constexpr std::uint32_t kPlatformWin32Nt = 2;       // NT and its successors

// What GetVersionExA reports; zeros when the query fails. The build number
// counts on the NT family only.
struct VersionInfo {
    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
};

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The process and the system around it. Abstract so that tests can run a
// whole program with a scripted command line, clock and environment.
class System {
public:
    virtual ~System() = default;

    virtual VersionInfo Version() = 0;

    // The argument text of the command line: everything after the program's
    // own file name.
    virtual std::string CommandLine() = 0;

    // The variable's value; empty when it is not set.
    virtual std::string EnvironmentVariable(std::string_view name) = 0;

    // The folder of the running executable, without a final backslash, and
    // its file name without the extension ("quillon").
    virtual std::string ExecutableFolder() = 0;
    virtual std::string ExecutableName() = 0;

    // The running program's full path in its long form, as the file
    // system names it; "" where the code page cannot carry it exactly.
    virtual std::string ProgramPath() = 0;

    // Runs the work on a thread of its own and waits for it until the
    // seconds have passed. False when it has not finished by then: it goes
    // on alone, and the process should end soon.
    virtual bool FinishesWithin(double seconds, std::function<void()> work) = 0;

    // The user's display languages by their names ("de-DE"), the one the
    // user prefers first; empty when the system cannot tell.
    virtual std::vector<std::string> PreferredUiLanguages() = 0;

    // Seconds from an arbitrary start; keeps counting across midnight and
    // never runs backwards.
    virtual double MonotonicSeconds() = 0;

    virtual LocalDateTime Now() = 0;

    // Whether the process's window station is one a user sees (WSF_VISIBLE):
    // not so for a service's, a scheduled task's run without a user, or any
    // other non-interactive one, where every window waits for nobody. True
    // when the system cannot tell.
    virtual bool WindowStationVisible() = 0;

    // Whether the process runs in Remote Desktop session 0: the services'
    // session from Windows Vista on, the console's before it. False when
    // the system cannot tell.
    virtual bool InSessionZero() = 0;

    // Ends the process at once with the exit code; no window gets a close
    // request.
    [[noreturn]] virtual void End(int exitCode) = 0;
};

}  // namespace quillon::platform
