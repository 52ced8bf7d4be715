#pragma once

#include "platform/event_log.h"

namespace quillon::platform::win32 {

// The Application log, under the source "Quillon" that the installer
// registers with the program's message table. Opened for each event and
// closed after it, so that a run without events never touches it.
class Win32EventLog final : public EventLog {
public:
    void Report(EventType type, std::uint32_t id, std::span<const std::string> strings) override;
    std::string ErrorText(std::uint32_t code) override;
};

}  // namespace quillon::platform::win32
