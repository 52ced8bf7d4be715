#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/task_scheduler.h"

namespace quillon::fakes {

// The tasks by name, each with the definition it was registered with, from
// which the program and the user are read back as the scheduler reads them.
// A scheduler that refuses (as for a user whom policy denies tasks)
// registers, lists and removes nothing and says so; questions counts every
// call that would load the scheduler.
class FakeTaskScheduler : public platform::TaskScheduler {
public:
    platform::Account account{"S-1-5-21-7-8-9-1001", "PC\\user"};
    std::map<std::string, std::string, std::less<>> tasks;
    bool refuses = false;
    // Registers, but removes nothing.
    bool refusesRemoval = false;
    // What a refusal reports: E_ACCESSDENIED.
    std::uint32_t refusal = 0x80070005;
    int questions = 0;

    platform::Account CurrentAccount() override { return account; }
    bool Register(std::string_view name, std::string_view definition) override {
        ++questions;
        lastError = refuses ? refusal : 0;
        if (!refuses) tasks[std::string(name)] = std::string(definition);
        return !refuses;
    }
    std::optional<std::string> Program(std::string_view name) override {
        ++questions;
        const auto task = tasks.find(name);
        if (task == tasks.end()) return std::nullopt;
        std::string command = Element(task->second, "Command");
        for (auto at = command.find("&quot;"); at != std::string::npos; at = command.find("&quot;")) {
            command.replace(at, 6, "\"");
        }
        return command;
    }
    std::optional<std::vector<platform::ScheduledTask>> Tasks(std::string_view prefix) override {
        ++questions;
        if (refuses) return std::nullopt;
        std::vector<platform::ScheduledTask> found;
        for (const auto& [name, definition] : tasks) {
            if (name.starts_with(prefix)) found.push_back({name, Element(definition, "UserId")});
        }
        return found;
    }
    bool Remove(std::string_view name) override {
        ++questions;
        const bool refused = refuses || refusesRemoval;
        lastError = refused ? refusal : 0;
        if (const auto it = tasks.find(name); it != tasks.end() && !refused) tasks.erase(it);
        return !refused;
    }
    std::uint32_t LastError() override { return lastError; }

    bool Exists(std::string_view name) const { return tasks.find(name) != tasks.end(); }

private:
    std::uint32_t lastError = 0;

    // The text of the first element of that name; "" without one.
    static std::string Element(const std::string& xml, const std::string& element) {
        const auto open = xml.find("<" + element + ">");
        if (open == std::string::npos) return {};
        const auto start = open + element.size() + 2;
        return xml.substr(start, xml.find("</" + element + ">", start) - start);
    }
};

}  // namespace quillon::fakes
