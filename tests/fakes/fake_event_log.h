#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/event_log.h"

namespace quillon::fakes {

// The events a run wrote, in order.
class FakeEventLog : public platform::EventLog {
public:
    struct Event {
        platform::EventType type;
        std::uint32_t id;
        std::vector<std::string> strings;
        bool operator==(const Event&) const = default;
    };
    std::vector<Event> events;

    void Report(platform::EventType type, std::uint32_t id, std::span<const std::string> strings) override {
        events.push_back({type, id, {strings.begin(), strings.end()}});
    }
    std::string ErrorText(std::uint32_t code) override { return "text of " + std::to_string(code); }
};

}  // namespace quillon::fakes
