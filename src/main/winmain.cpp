// The program's entry point: makes the real platform and hands it to Main.

#include <windows.h>

#include "app/main.h"
#include "app/startup_sequence.h"
#include "base/run_state.h"
#include "base/text.h"
#include "win32/library_search.h"
#include "win32/win32_code_page.h"
#include "win32/win32_event_log.h"
#include "win32/win32_files.h"
#include "win32/win32_networks.h"
#include "win32/win32_profile.h"
#include "win32/win32_registry.h"
#include "win32/win32_shell.h"
#include "win32/win32_spooler.h"
#include "win32/win32_system.h"
#include "win32/win32_task_scheduler.h"
#include "win32/win32_toolkit.h"
#include "ui/forms.h"

#ifndef QUILLON_DIAGNOSTICS
#define QUILLON_DIAGNOSTICS 0
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace quillon::platform::win32;
    // Before anything can load a library.
    LoadLibrariesFromSystemFolderOnly();
    Win32CodePage codePage;
    quillon::text::ScopedCodePage activeCodePage(codePage);
    Win32Profile profile;
    Win32Registry registry;
    Win32Spooler spooler;
    Win32System system;
    Win32Files files;
    Win32Toolkit toolkit(instance);
    Win32Shell shell;
    Win32Networks networks;
    Win32TaskScheduler scheduler;
    Win32EventLog eventLog;
    quillon::platform::Platform os{profile, registry, spooler,  system,   files,
                                   toolkit, shell,    networks, scheduler, eventLog};

    quillon::RunState state(os);
    toolkit.SetSessionEndReason(state.Texts.SessionEndRefused);
    toolkit.SetLinkDefaultAction(state.Texts.LinkDefaultAction);
    OnMissingSystemLibrary([&](const std::string& missing) {
        state.WriteDiagnostic("system library or function missing: " + missing);
        system.End(2);
    });
    quillon::ui::Forms forms(state, &quillon::RunStartupSequence);
    quillon::Main(state, forms, QUILLON_DIAGNOSTICS != 0);
    toolkit.Run();
    return 0;
}
