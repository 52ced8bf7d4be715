#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_registry.h"
#include "settings/settings_store.h"

namespace quillon::settings {
namespace {

using platform::RegistryRoot;
constexpr auto kUser = RegistryRoot::CurrentUser;
constexpr auto kMachine = RegistryRoot::LocalMachine;

void Store(fakes::FakeRegistry& registry, RegistryRoot root, const std::string& desktop,
           const std::string& startup, const std::string& startupAll,
           const std::string& uncPath) {
    const std::pair<const char*, const std::string*> values[] = {
        {"desktop", &desktop}, {"startup", &startup}, {"startupall", &startupAll},
        {"uncpath", &uncPath}};
    for (const auto& [name, text] : values) {
        if (!text->empty()) registry.SetSz(root, kSettingsKey, name, *text);
    }
}

void ExpectOptions(const Options& options, std::int32_t desktop, std::int32_t startup,
                   std::int32_t startupAll, std::int32_t uncPath) {
    EXPECT_EQ(options.DesktopSetting, desktop);
    EXPECT_EQ(options.StartupSetting, startup);
    EXPECT_EQ(options.StartupAllSetting, startupAll);
    EXPECT_EQ(options.UncDisplayMode, uncPath);
}

TEST(RegGetString, ReadsOnlyStringValues) {
    fakes::FakeRegistry registry;
    registry.SetRaw(kUser, "k", "withNul", platform::kRegSz, std::string("12\0", 3));
    registry.SetRaw(kUser, "k", "withoutNul", platform::kRegSz, "12");
    registry.SetRaw(kUser, "k", "twoTexts", platform::kRegSz, std::string("a\0b\0", 4));
    registry.SetRaw(kUser, "k", "empty", platform::kRegSz, "");
    registry.SetRaw(kUser, "k", "expand", platform::kRegExpandSz, std::string("%x%\0", 4));
    registry.SetRaw(kUser, "k", "dword", platform::kRegDword, std::string("\1\0\0\0", 4));
    const struct {
        std::string name;
        std::string expected;
    } cases[] = {
        {"withNul", "12"},    {"WITHOUTNUL", "12"}, {"twoTexts", "a"}, {"empty", ""},
        {"expand", "dflt"},   {"dword", "dflt"},    {"missing", "dflt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RegGetString(registry, kUser, "K", c.name, "dflt"), c.expected) << c.name;
    }
    EXPECT_EQ(RegGetString(registry, kMachine, "k", "withNul", "dflt"), "dflt");
    EXPECT_EQ(RegGetString(registry, kUser, "other", "withNul", ""), "");
}

TEST(RegSetString, StoresTheTextWithoutItsNul) {
    fakes::FakeRegistry registry;
    RegSetString(registry, kUser, "a\\b", "v", "text");
    const auto value = registry.Get(kUser, "A\\B", "V");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegSz);
    EXPECT_EQ(value->data, "text");
    registry.readOnlyRoots.insert(kMachine);
    RegSetString(registry, kMachine, "a\\b", "v", "text");  // silent
    EXPECT_FALSE(registry.Get(kMachine, "a\\b", "v").has_value());
}

TEST(LoadSettings, NothingStoredGivesZeros) {
    fakes::FakeRegistry registry;
    Options options{5, 5, 5, 5};
    LoadSettings(registry, options);
    ExpectOptions(options, 0, 0, 0, 0);
}

TEST(LoadSettings, ChoosesTheRootOnTheUsersDesktopTextAlone) {
    const struct {
        const char* what;
        std::string user[4];
        std::string machine[4];
        std::int32_t expected[4];
    } cases[] = {
        {"user only", {"1", "2", "1", "2"}, {}, {1, 2, 1, 2}},
        {"machine fallback", {"", "1", "1", "1"}, {"1", "1", "2", "2"}, {1, 1, 2, 2}},
        {"no fallback per value", {"1", "", "", ""}, {"2", "2", "2", "2"}, {1, 0, 0, 0}},
        {"user over machine", {"2", "2", "2", "1"}, {"1", "1", "1", "2"}, {2, 2, 2, 1}},
        {"non-number user text", {"yes", "1", "1", "1"}, {"1", "1", "1", "1"}, {0, 1, 1, 1}},
        {"blank and letters", {" 2", "2abc", "abc", "&h2"}, {}, {2, 2, 0, 2}},
    };
    for (const auto& c : cases) {
        fakes::FakeRegistry registry;
        Store(registry, kUser, c.user[0], c.user[1], c.user[2], c.user[3]);
        Store(registry, kMachine, c.machine[0], c.machine[1], c.machine[2], c.machine[3]);
        Options options;
        LoadSettings(registry, options);
        SCOPED_TRACE(c.what);
        ExpectOptions(options, c.expected[0], c.expected[1], c.expected[2], c.expected[3]);
    }
}

TEST(LoadSettings, EmptyOrWrongTypeUserDesktopFallsBackToTheMachine) {
    fakes::FakeRegistry registry;
    Store(registry, kMachine, "1", "1", "2", "2");
    registry.SetRaw(kUser, kSettingsKey, "desktop", platform::kRegSz, std::string("\0", 1));
    registry.SetSz(kUser, kSettingsKey, "startup", "2");
    Options options;
    LoadSettings(registry, options);
    ExpectOptions(options, 1, 1, 2, 2);

    registry.SetRaw(kUser, kSettingsKey, "desktop", platform::kRegDword, std::string("\1\0\0\0", 4));
    registry.Remove(kMachine, kSettingsKey, "desktop");
    LoadSettings(registry, options);
    ExpectOptions(options, 0, 1, 2, 2);
}

TEST(SaveUserSettings, WritesThreeValuesInOrderAndLeavesUncPath) {
    fakes::FakeRegistry registry;
    registry.SetSz(kUser, kSettingsKey, "uncpath", "2");
    SaveUserSettings(registry, Options{1, 2, 1, 7});
    ASSERT_EQ(registry.writes.size(), 3u);
    const char* names[] = {"desktop", "startup", "startupall"};
    const char* texts[] = {"1", "2", "1"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(registry.writes[i].root, kUser);
        EXPECT_EQ(registry.writes[i].keyPath, kSettingsKey);
        EXPECT_EQ(registry.writes[i].valueName, names[i]);
        EXPECT_EQ(registry.writes[i].text, texts[i]);
    }
    EXPECT_EQ(RegGetString(registry, kUser, kSettingsKey, "uncpath", ""), "2");
    Options reloaded;
    LoadSettings(registry, reloaded);
    ExpectOptions(reloaded, 1, 2, 1, 2);
}

TEST(CopySettingsToMachine, ReloadsFromTheUserAndWritesAllFour) {
    fakes::FakeRegistry registry;
    Store(registry, kUser, "1", "2", "2", "");
    Store(registry, kMachine, "2", "2", "2", "2");
    Options options{1, 1, 1, 2};  // as switches left them
    CopySettingsToMachine(registry, options);
    ExpectOptions(options, 1, 2, 2, 0);
    ASSERT_EQ(registry.writes.size(), 4u);
    const char* names[] = {"desktop", "startup", "startupall", "uncpath"};
    const char* texts[] = {"1", "2", "2", "0"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(registry.writes[i].root, kMachine);
        EXPECT_EQ(registry.writes[i].valueName, names[i]);
        EXPECT_EQ(registry.writes[i].text, texts[i]);
        EXPECT_EQ(RegGetString(registry, kMachine, kSettingsKey, names[i], ""), texts[i]);
    }
}

TEST(CopySettingsToMachine, UserKeyWithoutDesktopAndAReadOnlyMachineKeyLeaveItAsItWas) {
    fakes::FakeRegistry registry;  // no "desktop" of the user's own
    Store(registry, kUser, "", "2", "2", "1");
    Store(registry, kMachine, "1", "1", "1", "2");
    Options options{1, 1, 1, 2};
    CopySettingsToMachine(registry, options);
    ExpectOptions(options, 1, 1, 1, 2);
    EXPECT_TRUE(registry.writes.empty());

    fakes::FakeRegistry locked;
    Store(locked, kUser, "1", "1", "1", "1");
    Store(locked, kMachine, "2", "2", "2", "2");
    locked.readOnlyRoots.insert(kMachine);
    CopySettingsToMachine(locked, options);
    ExpectOptions(options, 1, 1, 1, 1);
    EXPECT_EQ(RegGetString(locked, kMachine, kSettingsKey, "desktop", ""), "2");
}

TEST(LoadSettings, NetworkChoiceIsTheUsersAndMachinePolicyWins) {
    // user's "network", user's policy, machine's policy -> the two options
    const std::tuple<const char*, const char*, const char*, int, int> cases[] = {
        {"1", "", "", 1, 0}, {"2", "1", "", 2, 1}, {"", "1", "2", 0, 2},
        {"3", "x", "0", 0, 0}, {"", "2", "junk", 0, 2}};
    for (const auto& [network, userPolicy, machinePolicy, switching, policy] : cases) {
        fakes::FakeRegistry registry;
        // The machine's options hold for a user without "desktop", but its
        // "network" is never the user's choice.
        Store(registry, kMachine, "1", "", "", "");
        registry.SetSz(kMachine, kSettingsKey, "network", "1");
        if (*network) registry.SetSz(kUser, kSettingsKey, "network", network);
        if (*userPolicy) registry.SetSz(kUser, kSettingsKey, "networkpolicy", userPolicy);
        if (*machinePolicy) registry.SetSz(kMachine, kSettingsKey, "networkpolicy", machinePolicy);
        Options options;
        LoadSettings(registry, options);
        EXPECT_EQ(std::pair(options.NetworkSwitching, options.NetworkSwitchingPolicy),
                  std::pair(switching, policy)) << network << userPolicy << machinePolicy;
        options.NetworkSwitching = kNo;
        EXPECT_TRUE(SaveNetworkSwitching(registry, options));
        EXPECT_EQ(RegGetString(registry, kUser, kSettingsKey, "network", ""), "2");
    }
}

}  // namespace
}  // namespace quillon::settings
