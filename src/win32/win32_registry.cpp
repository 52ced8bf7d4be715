#include "win32/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {

namespace {

constexpr int kReadAttempts = 4;

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

// The key is opened with query access only: asking for more would make
// reading the machine-wide key fail for a user without administrator rights.
std::optional<RegistryValue> Win32Registry::Query(RegistryRoot root, std::string_view keyPath,
                                                  std::string_view valueName) {
    const std::string path(keyPath);
    const std::string name(valueName);
    unique_hkey key;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_QUERY_VALUE, key.out()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Another program may make the value longer between the size query and
    // the read; read again with the size reported then, a few times at most.
    RegistryValue value;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        value.data.assign(size, '\0');
        const LONG result =
            RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(value.data.data()), &size);
        if (result == ERROR_SUCCESS) {
            value.data.resize(size);
            value.type = type;
            return value;
        }
        if (result != ERROR_MORE_DATA) break;
    }
    return std::nullopt;
}

namespace {

// The key with its missing parents, opened to set values; empty on failure.
unique_hkey CreateForWriting(RegistryRoot root, std::string_view keyPath) {
    const std::string path(keyPath);
    unique_hkey key;
    if (RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, key.out(), nullptr) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

}  // namespace

bool Win32Registry::SetString(RegistryRoot root, std::string_view keyPath,
                              std::string_view valueName, std::string_view text) {
    if (text.size() > MAXDWORD) return false;
    const std::string name(valueName);
    const unique_hkey key = CreateForWriting(root, keyPath);
    if (!key) return false;
    // The stored length counts the characters only; readers cope with a
    // value without its final NUL.
    const std::string data(text);
    return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

bool Win32Registry::SetDword(RegistryRoot root, std::string_view keyPath,
                             std::string_view valueName, std::uint32_t value) {
    const std::string name(valueName);
    const unique_hkey key = CreateForWriting(root, keyPath);
    if (!key) return false;
    const DWORD data = value;
    return RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

namespace {

// A value's bytes as the A calls would give them: texts in the code page,
// everything else as stored; nothing for a text the code page cannot carry.
std::optional<std::string> NarrowData(DWORD type, const std::vector<BYTE>& data) {
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
        return std::string(data.begin(), data.end());
    }
    std::wstring wide(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
    return NarrowWhole(wide);
}

}  // namespace

// Read through the wide calls: the key counts its longest name in UTF-16
// characters, and a name takes more bytes than that in UTF-8 or a
// double-byte code page, so a walk in the code page's text would find the
// buffer too small and end there. The names and texts are converted after;
// a value whose name or text the code page cannot carry whole is left out,
// since the code page's stand-in "?" would make a pattern of it that names
// other networks and printers.
std::vector<std::pair<std::string, RegistryValue>> Win32Registry::Values(RegistryRoot root,
                                                                         std::string_view keyPath) {
    std::vector<std::pair<std::string, RegistryValue>> values;
    const std::string path(keyPath);
    unique_hkey key;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_QUERY_VALUE, key.out()) !=
        ERROR_SUCCESS) {
        return values;
    }
    DWORD longestName = 0;  // in characters, without the final NUL
    DWORD longestData = 0;  // in bytes
    const auto sizes = [&] {
        return RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, &longestName, &longestData, nullptr, nullptr) == ERROR_SUCCESS;
    };
    if (!sizes()) return values;
    // A value that grows while the key is read is read again with the
    // sizes the key reports then; one that vanishes ends the walk.
    for (DWORD index = 0;;) {
        std::wstring name(longestName + 1, L'\0');
        std::vector<BYTE> data(longestData);
        DWORD nameSize = longestName + 1;
        DWORD dataSize = longestData;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key.get(), index, name.data(), &nameSize, nullptr, &type,
                                          data.data(), &dataSize);
        if (result == ERROR_MORE_DATA) {
            const DWORD readName = longestName;
            const DWORD readData = longestData;
            if (!sizes() || (longestName <= readName && longestData <= readData)) break;
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        name.resize(nameSize);
        data.resize(dataSize);
        auto narrowName = NarrowWhole(name);
        auto narrowData = NarrowData(type, data);
        if (!name.empty() && narrowName && narrowData) {
            values.emplace_back(std::move(*narrowName), RegistryValue{type, std::move(*narrowData)});
        }
        ++index;
    }
    return values;
}

bool Win32Registry::DeleteValue(RegistryRoot root, std::string_view keyPath,
                                std::string_view valueName) {
    const std::string path(keyPath);
    const std::string name(valueName);
    unique_hkey key;
    const LONG opened = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_SET_VALUE, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LONG deleted = RegDeleteValueA(key.get(), name.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace quillon::platform::win32
