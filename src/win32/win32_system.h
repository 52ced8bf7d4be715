#pragma once

#include "platform/system.h"

namespace quillon::platform::win32 {

// The running process and the system's version, clocks and environment.
class Win32System final : public System {
public:
    Win32System();

    VersionInfo Version() override;
    std::string CommandLine() override;
    std::string EnvironmentVariable(std::string_view name) override;
    std::string ExecutableFolder() override;
    std::string ExecutableName() override;
    std::string ProgramPath() override;
    bool FinishesWithin(double seconds, std::function<void()> work) override;
    std::vector<std::string> PreferredUiLanguages() override;
    double MonotonicSeconds() override;
    LocalDateTime Now() override;
    bool WindowStationVisible() override;
    bool InSessionZero() override;
    [[noreturn]] void End(int exitCode) override;

private:
    long long counterFrequency_ = 0;
};

}  // namespace quillon::platform::win32
