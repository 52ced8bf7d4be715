#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/task_scheduler.h"

namespace quillon::fakes {

// The user's tasks by name, each with the definition it was registered
// with. A scheduler that refuses (as for a user whom policy denies tasks)
// registers nothing and says so.
class FakeTaskScheduler : public platform::TaskScheduler {
public:
    std::string user = "PC\\user";
    std::map<std::string, std::string, std::less<>> tasks;
    bool refuses = false;
    // What a refusal reports: E_ACCESSDENIED.
    std::uint32_t refusal = 0x80070005;

    std::string CurrentUser() override { return user; }
    bool Register(std::string_view name, std::string_view definition) override {
        lastError = refuses ? refusal : 0;
        if (refuses) return false;
        tasks[std::string(name)] = std::string(definition);
        return true;
    }
    bool Exists(std::string_view name) override { return tasks.find(name) != tasks.end(); }
    bool Remove(std::string_view name) override {
        lastError = refuses ? refusal : 0;
        if (refuses) return false;
        if (const auto it = tasks.find(name); it != tasks.end()) tasks.erase(it);
        return true;
    }
    std::uint32_t LastError() override { return lastError; }

private:
    std::uint32_t lastError = 0;
};

}  // namespace quillon::fakes
