#include "win32/program_arguments.h"

namespace quillon::platform::win32 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view ProgramArguments(std::string_view commandLine) {
    std::size_t i = 0;
    bool quoted = false;
    for (; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsBlank(c)) {
            break;
        }
    }
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    return commandLine.substr(i);
}

}  // namespace quillon::platform::win32
