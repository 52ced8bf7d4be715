#pragma once

#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/system.h"

namespace quillon::fakes {

// Thrown by FakeSystem::End so that a test can see how a run ended.
struct ProgramEnded {
    int exitCode;
};

// A system with a scripted command line, version and environment, and a
// clock that moves only when the program waits (or the test advances it).
class FakeSystem : public platform::System {
public:
    FakeSystem() = default;
    explicit FakeSystem(std::vector<std::string> languages) : uiLanguages(std::move(languages)) {}

    platform::VersionInfo version{2, 10};  // an NT-family system, major version 10
    std::string commandLine;
    std::map<std::string, std::string, std::less<>> environment;
    std::string executableFolder = "C:\\Program Files\\Quillon";
    std::string executableName = "quillon";
    std::vector<std::string> uiLanguages;  // none: the program speaks English
    // Seconds since midnight of startDate; the local time follows it.
    double clockSeconds = 13 * 3600 + 5 * 60 + 9;
    platform::LocalDateTime startDate{2026, 12, 6, 0, 0, 0};
    // How far the clock moves at every reading of the local time, for runs
    // that cross midnight while they read it.
    double secondsPerReading = 0;
    bool windowStationVisible = true;
    int windowStationQueries = 0;
    bool sessionZero = false;
    std::string programPath = "C:\\Program Files\\Quillon\\quillon.exe";
    // Work given a time limit never finishes, as with a scheduler that hangs.
    bool workOverruns = false;

    void Advance(double seconds) { clockSeconds += seconds; }

    platform::VersionInfo Version() override { return version; }
    std::string CommandLine() override { return commandLine; }
    std::string EnvironmentVariable(std::string_view name) override {
        const auto it = environment.find(name);
        return it == environment.end() ? std::string{} : it->second;
    }
    std::string ExecutableFolder() override { return executableFolder; }
    std::string ExecutableName() override { return executableName; }
    std::string ProgramPath() override { return programPath; }
    bool FinishesWithin(double, std::function<void()> work) override {
        if (!workOverruns) work();
        return !workOverruns;
    }
    std::vector<std::string> PreferredUiLanguages() override { return uiLanguages; }
    double MonotonicSeconds() override { return clockSeconds; }
    platform::LocalDateTime Now() override {
        // Days past the start date are not needed by any test; the time of
        // day wraps at midnight as a wall clock does.
        clockSeconds += secondsPerReading;
        auto whole = static_cast<long long>(std::floor(clockSeconds));
        auto now = startDate;
        now.day += static_cast<int>(whole / 86400);
        whole %= 86400;
        now.hour = static_cast<int>(whole / 3600);
        now.minute = static_cast<int>(whole / 60 % 60);
        now.second = static_cast<int>(whole % 60);
        return now;
    }
    bool WindowStationVisible() override {
        ++windowStationQueries;
        return windowStationVisible;
    }
    bool InSessionZero() override { return sessionZero; }
    [[noreturn]] void End(int exitCode) override { throw ProgramEnded{exitCode}; }
};

}  // namespace quillon::fakes
