#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/main.h"
#include "app/startup_sequence.h"
#include "base/run_state.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_event_log.h"
#include "fakes/fake_files.h"
#include "fakes/fake_networks.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_system.h"
#include "fakes/fake_task_scheduler.h"
#include "fakes/fake_toolkit.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "ui/forms.h"

namespace quillon::fakes {

// One whole run of the program against in-memory substitutes: the test
// sets up printers, options and the command line, runs Main and then acts
// on the windows the run left open.
class Harness {
public:
    // A run of a user whose display languages are these ("de-DE"), the
    // preferred one first; without any, English.
    explicit Harness(std::vector<std::string> uiLanguages = {}) : system(std::move(uiLanguages)) {}

    Utf8CodePage codePage;
    FakeProfile profile;
    FakeRegistry registry;
    FakeSpooler spooler;
    FakeSystem system;
    FakeFiles files;
    FakeToolkit toolkit{system};
    FakeShell shell{files};
    FakeNetworks networks;
    FakeTaskScheduler scheduler;
    FakeEventLog eventLog;
    platform::Platform os{profile, registry, spooler, system,    files,
                          toolkit, shell,    networks, scheduler, eventLog};
    RunState state{os};
    ui::Forms forms{state, &RunStartupSequence};
    bool diagnostics = true;

    // A printer known to the profile and the spooler alike. Network
    // printers are given in their UNC form.
    void AddPrinter(std::string_view name, std::string_view driver = "winspool",
                    std::string_view port = "Ne01:") {
        profile.Set("PrinterPorts", name,
                    std::string(driver) + "," + std::string(port) + ",15,45");
        spooler.Add(name, driver, port);
    }

    void SetDefault(std::string_view device) { profile.Set("windows", "device", device); }
    std::optional<std::string> Device() const { return profile.Get("windows", "Device"); }

    void StoreOptions(std::string_view desktop, std::string_view startup,
                      std::string_view startupAll) {
        using platform::RegistryRoot;
        registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "desktop", desktop);
        registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "startup", startup);
        registry.SetSz(RegistryRoot::CurrentUser, settings::kSettingsKey, "startupall", startupAll);
    }

    // Runs Main with the command line. Returns the exit code when the
    // program ended itself, nothing when it is waiting in its windows.
    std::optional<int> Start(std::string_view commandLine) {
        system.commandLine = std::string(commandLine);
        return Ending([&] { Main(state, forms, diagnostics); });
    }

    // Runs an action of the test (a click, a key) and tells how the
    // program ended, if it did.
    template <typename Action>
    std::optional<int> Ending(Action&& action) {
        try {
            action();
        } catch (const ProgramEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }

    // The lines of the log, without their time stamps.
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        const auto content =
            files.Content(system.executableFolder + "\\QLNDiagnostics.log").value_or("");
        std::size_t start = 0;
        while (start < content.size()) {
            const auto end = content.find("\r\n", start);
            const auto line = content.substr(start, end - start);
            lines.push_back(line.size() >= 20 ? line.substr(20) : line);
            if (end == std::string::npos) break;
            start = end + 2;
        }
        return lines;
    }
};

}  // namespace quillon::fakes
