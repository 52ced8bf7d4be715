#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/harness.h"
#include "settings/settings_store.h"
#include "test_names.h"

namespace quillon::settings {
namespace {

using platform::RegistryRoot;

constexpr std::size_t kMegabyte = 1 << 20;

struct OddValue {
    std::string label;
    std::uint32_t type;
    std::string bytes;
    // What "desktop" reads as; nothing when the user's key counts as empty
    // and the machine's copy ("1") is read instead.
    std::optional<std::int32_t> desktop;
};

class OddStoredValue : public ::testing::TestWithParam<OddValue> {};

TEST_P(OddStoredValue, ReadsAsStatedAndDecidesTheFirstWindow) {
    const auto& c = GetParam();
    fakes::Harness run;
    run.registry.SetSz(RegistryRoot::LocalMachine, kSettingsKey, "desktop", "1");
    run.registry.SetRaw(RegistryRoot::CurrentUser, kSettingsKey, "desktop", c.type, c.bytes);
    run.registry.SetRaw(RegistryRoot::CurrentUser, kSettingsKey, "startup", c.type, c.bytes);
    EXPECT_EQ(run.Start(""), std::nullopt);

    const std::int32_t desktop = c.desktop.value_or(1);
    EXPECT_EQ(run.state.Options.DesktopSetting, desktop);
    // Only 1 and 2 are stored answers; anything else asks again.
    const bool asked = desktop == 0;
    EXPECT_EQ(run.toolkit.Find("frmSetup") != nullptr, asked);
    EXPECT_EQ(run.toolkit.Find("frmQuillon") != nullptr, !asked);
    // Reading never writes.
    EXPECT_TRUE(run.registry.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, OddStoredValue,
    ::testing::Values(
        OddValue{"dword", platform::kRegDword, std::string("\x01\0\0\0", 4), std::nullopt},
        OddValue{"expandable text", platform::kRegExpandSz, std::string("1\0", 2), std::nullopt},
        OddValue{"binary", 3, "\x01", std::nullopt},
        OddValue{"empty text", platform::kRegSz, "", std::nullopt},
        OddValue{"only a nul", platform::kRegSz, std::string(1, '\0'), std::nullopt},
        OddValue{"text after a nul", platform::kRegSz, std::string("\0" "1", 2), std::nullopt},
        OddValue{"megabyte of blanks after 1", platform::kRegSz, "1" + std::string(kMegabyte, ' '),
                 1},
        OddValue{"megabyte of digits", platform::kRegSz, std::string(kMegabyte, '9'), 0},
        OddValue{"megabyte of zeros then 2", platform::kRegSz, std::string(kMegabyte, '0') + "2", 2},
        OddValue{"megabyte of letters", platform::kRegSz, std::string(kMegabyte, 'y'), 0},
        OddValue{"above the range", platform::kRegSz, "2147483648", 0},
        OddValue{"below the range", platform::kRegSz, "-2147483649", 0},
        OddValue{"largest", platform::kRegSz, "2147483647", 2147483647},
        OddValue{"hexadecimal above the range", platform::kRegSz, "&HFFFFFFFF", 0},
        OddValue{"huge exponent", platform::kRegSz, "1e999999999999", 0},
        OddValue{"no number", platform::kRegSz, "yes", 0},
        OddValue{"nan", platform::kRegSz, "nan", 0},
        OddValue{"not in the code page", platform::kRegSz, "\xEF\xBB\xBF" "1", 0}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

TEST(OddStoredValues, HugeValueInTheMachineKeyIsReadOnce) {
    fakes::FakeRegistry registry;
    registry.SetSz(RegistryRoot::LocalMachine, kSettingsKey, "desktop",
                   "2" + std::string(kMegabyte, '\t'));
    registry.SetSz(RegistryRoot::LocalMachine, kSettingsKey, "uncpath", std::string(kMegabyte, '-'));
    Options options;
    LoadSettings(registry, options);
    EXPECT_EQ(options.DesktopSetting, 2);
    EXPECT_EQ(options.UncDisplayMode, 0);
}

}  // namespace
}  // namespace quillon::settings
