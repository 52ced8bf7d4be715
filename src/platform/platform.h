#pragma once

#include "platform/event_log.h"
#include "platform/files.h"
#include "platform/networks.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/spooler.h"
#include "platform/system.h"
#include "platform/task_scheduler.h"
#include "platform/window_toolkit.h"

namespace quillon::platform {

// The services of Windows a run needs, handed to Main by the entry point
// (the real ones) or by a test (the in-memory substitutes).
struct Platform {
    Profile& profile;
    Registry& registry;
    Spooler& spooler;
    System& system;
    Files& files;
    Toolkit& toolkit;
    Shell& shell;
    Networks& networks;
    TaskScheduler& scheduler;
    EventLog& eventLog;
};

}  // namespace quillon::platform
