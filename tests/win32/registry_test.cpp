#include "win32/win32_registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace quillon::platform::win32 {
namespace {

// Stored without its NUL, a text comes back as it went in from Windows; Wine
// stores a NUL of its own and hands it back.
::testing::AssertionResult HoldsText(const std::optional<RegistryValue>& value,
                                     const std::string& text) {
    if (!value) return ::testing::AssertionFailure() << "no value";
    if (value->type != kRegSz) return ::testing::AssertionFailure() << "type " << value->type;
    if (value->data == text || value->data == text + '\0') return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "data of " << value->data.size() << " bytes: "
                                         << value->data.substr(0, 40);
}

// Each test works below a key of its own, removed afterwards under both
// roots, so that the registry is left as it was found.
class Win32RegistryTest : public ::testing::Test {
protected:
    const std::string testKey =
        "Software\\Quillon Tests\\" + std::to_string(GetCurrentProcessId());
    Win32Registry registry;

    void TearDown() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeA(root, testKey.c_str());
            unique_hkey parent;
            if (RegOpenKeyExA(root, "Software", 0, KEY_ALL_ACCESS, parent.out()) ==
                ERROR_SUCCESS) {
                // Only removes the shared parent when no other run uses it.
                RegDeleteKeyA(parent.get(), "Quillon Tests");
            }
        }
    }

    void StoreRaw(const std::string& name, DWORD type, const std::string& bytes) {
        unique_hkey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, testKey.c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, key.out(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
};

TEST_F(Win32RegistryTest, StoresTextAsRegSzWithoutTheFinalNul) {
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, testKey, "desktop", "1"));
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::CurrentUser, testKey, "desktop"), "1"));
}

TEST_F(Win32RegistryTest, CreatesMissingParentsAndOverwrites) {
    const std::string deep = testKey + "\\kvo\\quillon";
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, deep, "startup", "1"));
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, deep, "startup", "2"));
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::CurrentUser, deep, "startup"), "2"));
}

TEST_F(Win32RegistryTest, NamesIgnoreLetterCase) {
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, testKey, "uncpath", "2"));
    const std::string upperKey = "SOFTWARE\\QUILLON TESTS\\" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::CurrentUser, upperKey, "UNCPATH"), "2"));
}

TEST_F(Win32RegistryTest, ReturnsOtherTypesAndStoredNulsAsTheyAre) {
    StoreRaw("dword", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    StoreRaw("withnul", REG_SZ, std::string("1\0", 2));
    StoreRaw("expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));

    const auto dword = registry.Query(RegistryRoot::CurrentUser, testKey, "dword");
    ASSERT_TRUE(dword);
    EXPECT_EQ(dword->type, kRegDword);
    EXPECT_EQ(dword->data, std::string("\x01\x00\x00\x00", 4));

    const auto withNul = registry.Query(RegistryRoot::CurrentUser, testKey, "withnul");
    ASSERT_TRUE(withNul);
    EXPECT_EQ(withNul->type, kRegSz);
    EXPECT_EQ(withNul->data, std::string("1\0", 2));

    const auto expand = registry.Query(RegistryRoot::CurrentUser, testKey, "expand");
    ASSERT_TRUE(expand);
    EXPECT_EQ(expand->type, kRegExpandSz);
    EXPECT_EQ(expand->data, std::string("%TEMP%\0", 7));
}

TEST_F(Win32RegistryTest, MissingKeyOrValueGivesNothing) {
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, testKey, "desktop", "1"));
    EXPECT_FALSE(registry.Query(RegistryRoot::CurrentUser, testKey, "startup"));
    EXPECT_FALSE(registry.Query(RegistryRoot::CurrentUser, testKey + "\\missing", "desktop"));
}

TEST_F(Win32RegistryTest, EmptyTextIsAnEmptyRegSz) {
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, testKey, "desktop", ""));
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::CurrentUser, testKey, "desktop"), ""));
}

TEST_F(Win32RegistryTest, ReadsAndWritesAMegabyteValue) {
    std::string text(1024 * 1024, ' ');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, testKey, "big", text));
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::CurrentUser, testKey, "big"), text));
}

TEST_F(Win32RegistryTest, TheTwoRootsAreSeparate) {
    ASSERT_TRUE(registry.SetString(RegistryRoot::LocalMachine, testKey, "desktop", "2"));
    ASSERT_TRUE(registry.SetString(RegistryRoot::CurrentUser, testKey, "desktop", "1"));
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::LocalMachine, testKey, "desktop"), "2"));
    EXPECT_TRUE(HoldsText(registry.Query(RegistryRoot::CurrentUser, testKey, "desktop"), "1"));
    ASSERT_TRUE(registry.SetString(RegistryRoot::LocalMachine, testKey, "startup", "1"));
    EXPECT_FALSE(registry.Query(RegistryRoot::CurrentUser, testKey, "startup"));
}

// The key counts its longest name in UTF-16 characters, which take more
// bytes in the code page's text. Every value comes back, its name and text
// whole, where the code page carries them; one it cannot carry is left out,
// never turned into "?", a pattern that would name other networks.
TEST_F(Win32RegistryTest, TheWalkKeepsEveryValueTheCodePageCarries) {
    unique_hkey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(testKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, key.out(), nullptr),
              ERROR_SUCCESS);
    std::vector<std::pair<std::string, std::string>> stored, found;
    const bool western = GetACP() == 1252;
    for (const auto& [name, text] : {std::pair<std::wstring, std::wstring>{L"\u6771\u4eac\u30aa\u30d5\u30a3\u30b9", L"Fax"},
                                     {L"Caf\u00e9", L"HP \u00fc"}, {L"Home", L"\u8907\u5408\u6a5f"}}) {
        const auto bytes = reinterpret_cast<const BYTE*>(text.c_str());
        const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, bytes, size), ERROR_SUCCESS);
        if (!western || name == L"Caf\u00e9") stored.emplace_back(Narrow(name), Narrow(text) + '\0');
    }
    for (auto& [name, value] : registry.Values(RegistryRoot::CurrentUser, testKey)) {
        found.emplace_back(name, value.data);
    }
    std::sort(stored.begin(), stored.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, stored) << "code page " << GetACP();
}

TEST_F(Win32RegistryTest, AKeyThatCannotBeCreatedFailsTheWrite) {
    // Key names are limited to 255 characters.
    const std::string tooLong = testKey + "\\" + std::string(300, 'k');
    EXPECT_FALSE(registry.SetString(RegistryRoot::CurrentUser, tooLong, "desktop", "1"));
    EXPECT_FALSE(registry.Query(RegistryRoot::CurrentUser, tooLong, "desktop"));
}

}  // namespace
}  // namespace quillon::platform::win32
