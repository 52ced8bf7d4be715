// A helper that the Win32 tests start as a separate process, for what only
// a process of its own can show: its command line, its name, the system
// version Wine reports at start, ending with an exit code, and appending
// to a file at the same time as another process.
//
// QUILLON_CHILD_MODE picks the job; QUILLON_CHILD_OUTPUT names the file
// that receives a report. The command line is left free for the tests.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "win32/unique_handle.h"
#include "win32/win32_files.h"
#include "win32/win32_system.h"

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool Report(const std::string& text) {
    quillon::platform::win32::Win32Files files;
    return files.Append(Environment("QUILLON_CHILD_OUTPUT"), text);
}

// Appends numbered lines, one call each, so that another child doing the
// same at the same time can interleave with every single line. The children
// wait at a gate that the test opens once all of them run, so that their
// writes overlap.
int AppendLines(const std::string& tag, int count) {
    const quillon::platform::win32::unique_handle gate(
        OpenEventA(SYNCHRONIZE, FALSE, Environment("QUILLON_CHILD_GATE").c_str()));
    if (!gate || WaitForSingleObject(gate.get(), 30000) != WAIT_OBJECT_0) return 4;
    quillon::platform::win32::Win32Files files;
    const std::string path = Environment("QUILLON_CHILD_OUTPUT");
    for (int i = 0; i < count; ++i) {
        const std::string line =
            tag + " " + std::to_string(i) + " " + std::string(40, tag.empty() ? '-' : tag[0]) +
            "\r\n";
        if (!files.Append(path, line)) return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    quillon::platform::win32::Win32System system;
    const std::string mode = Environment("QUILLON_CHILD_MODE");
    if (mode == "cmdline") return Report(system.CommandLine()) ? 0 : 2;
    if (mode == "identity") {
        return Report(system.ExecutableFolder() + "\n" + system.ExecutableName()) ? 0 : 2;
    }
    if (mode == "version") {
        const auto version = system.Version();
        return static_cast<int>(version.platformId * 100 + version.majorVersion);
    }
    if (mode == "build") return static_cast<int>(system.Version().buildNumber);
    if (mode == "append" && argc == 3) return AppendLines(argv[1], std::atoi(argv[2]));
    if (mode == "end") {
        system.End(42);
    }
    return 3;
}
