// The least a program can do to set a default printer from the command
// line: read the [PrinterPorts] key list, take the first name that begins
// with the argument, and write its driver and port to [windows] Device.
// The benchmark runs it beside quillon.exe to see what the program costs
// on top of that.

#include <windows.h>

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    const std::string wanted = arguments;
    std::vector<char> keys(8192);
    for (;;) {
        const DWORD copied = GetProfileStringA("PrinterPorts", nullptr, "", keys.data(),
                                               static_cast<DWORD>(keys.size()));
        if (copied + 2 < keys.size()) break;
        keys.resize(keys.size() * 2);
    }
    for (const char* name = keys.data(); *name != '\0'; name += lstrlenA(name) + 1) {
        if (static_cast<std::size_t>(lstrlenA(name)) < wanted.size() ||
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name,
                           static_cast<int>(wanted.size()), wanted.c_str(),
                           static_cast<int>(wanted.size())) != CSTR_EQUAL) {
            continue;
        }
        char value[1024] = {};
        GetProfileStringA("PrinterPorts", name, "", value, sizeof value);
        std::string device = name;
        const std::string fields = value;
        const auto second = fields.find(',', fields.find(',') + 1);
        device += "," + fields.substr(0, second);
        WriteProfileStringA("windows", "Device", device.c_str());
        return 0;
    }
    return 1;
}
