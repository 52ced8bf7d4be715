#include "wine/link_reader.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "wine/driver.h"

namespace quillon::e2e {
namespace {

bool WriteText(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    return static_cast<bool>(file);
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> RunLnkinfo(const std::string& windowsPath) {
    char folder[MAX_PATH] = {};
    char scratch[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "lnk", 0, scratch) == 0) {
        return std::nullopt;
    }
    const std::string script = std::string(scratch) + ".sh";
    const std::string partial = std::string(scratch) + ".part";
    const std::string output = std::string(scratch) + ".txt";
    const auto hostLink = HostPath(windowsPath);
    const auto hostScript = HostPath(script);
    const auto hostPartial = HostPath(partial);
    const auto hostOutput = HostPath(output);
    if (!hostLink || !hostScript || !hostPartial || !hostOutput) return std::nullopt;

    // Wine starts a native program but gives no handle to wait on, so the
    // script tells that it has finished by putting the output in place
    // whole.
    const bool ready = WriteText(script, "lnkinfo " + ShellWord(*hostLink) + " > " +
                                             ShellWord(*hostPartial) + " 2>&1\nmv " +
                                             ShellWord(*hostPartial) + " " + ShellWord(*hostOutput) +
                                             "\n");
    std::optional<std::string> text;
    if (ready) {
        std::string commandLine = "Z:\\bin\\sh \"" + *hostScript + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process)) {
            if (process.hThread) CloseHandle(process.hThread);
            if (process.hProcess) CloseHandle(process.hProcess);
            if (WaitUntil([&] { return GetFileAttributesA(output.c_str()) != INVALID_FILE_ATTRIBUTES; },
                          std::chrono::seconds(30))) {
                std::ifstream file(output, std::ios::binary);
                text.emplace((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            }
        }
    }
    for (const auto& path : {std::string(scratch), script, partial, output}) DeleteFileA(path.c_str());
    return text;
}

std::optional<std::string> LnkinfoField(std::string_view output, std::string_view label) {
    std::istringstream lines{std::string(output)};
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        if (Trim(std::string_view(line).substr(0, colon)) != label) continue;
        return std::string(Trim(std::string_view(line).substr(colon + 1)));
    }
    return std::nullopt;
}

}  // namespace quillon::e2e
