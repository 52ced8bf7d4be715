// The least a program can do to set a default printer from the command
// line: read the [PrinterPorts] key list, take the first name that begins
// with the argument, write its driver and port to [windows] Device and
// tell the running programs, giving up on any that does not answer.
// The benchmark runs it beside quillon.exe to see what the program costs
// on top of that.

#include <windows.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool StartsWithIgnoringCase(const char* name, const std::string& prefix) {
    for (const char wanted : prefix) {
        const auto c = static_cast<unsigned char>(*name++);
        if (c == '\0' || std::tolower(c) != std::tolower(static_cast<unsigned char>(wanted))) {
            return false;
        }
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    const std::string wanted = arguments;
    std::vector<char> keys(8192);
    for (;;) {
        const DWORD copied = GetProfileStringA("PrinterPorts", nullptr, "", keys.data(),
                                               static_cast<DWORD>(keys.size()));
        if (copied + 2 < keys.size()) break;
        keys.resize(keys.size() * 2);
    }
    for (const char* name = keys.data(); *name != '\0'; name += std::strlen(name) + 1) {
        if (!StartsWithIgnoringCase(name, wanted)) continue;
        char value[1024] = {};
        GetProfileStringA("PrinterPorts", name, "", value, sizeof value);
        std::string device = name;
        const std::string fields = value;
        const auto second = fields.find(',', fields.find(',') + 1);
        device += "," + fields.substr(0, second);
        WriteProfileStringA("windows", "Device", device.c_str());
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                            reinterpret_cast<LPARAM>("windows"), SMTO_ABORTIFHUNG, 3000, &ignored);
        return 0;
    }
    return 1;
}
