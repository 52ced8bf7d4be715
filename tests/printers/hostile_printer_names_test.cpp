#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/harness.h"
#include "printers/key_list.h"
#include "printers/printer_table.h"
#include "test_names.h"

namespace quillon::printers {
namespace {

const std::string kLong(600, 'x');

struct OddName {
    std::string label;
    std::string key;    // the [PrinterPorts] key
    std::string value;  // its value
    std::string commandLine;
    int exitCode;
    std::optional<std::string> device;
};

class OddPrinterName : public ::testing::TestWithParam<OddName> {};

// The printer is the only one installed, named by a command-line run.
TEST_P(OddPrinterName, IsSetUnderItsProfileNameOrNotAtAll) {
    const auto& c = GetParam();
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.profile.Set("PrinterPorts", c.key, c.value);
    EXPECT_EQ(run.Start(c.commandLine), c.exitCode);
    EXPECT_EQ(run.Device(), c.device);
    // A printer that was not set is never confirmed.
    if (c.exitCode != 0) {
        EXPECT_EQ(run.toolkit.ShowCount("frmSuccess"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, OddPrinterName,
    ::testing::Values(
        OddName{"long local name", "L" + kLong, "winspool,Ne01:,15,45", "lxx /q", 0,
                "L" + kLong + ",winspool,Ne01:"},
        OddName{"long network name", "\\\\srv\\" + kLong, "winspool,Ne01:,15,45", "xxx /q", 0,
                "\\\\srv\\" + kLong + ",winspool,Ne01:"},
        OddName{"long server", "\\\\" + kLong + "\\HP", "winspool,Ne01:,15,45", "hp /q", 0,
                "\\\\" + kLong + "\\HP,winspool,Ne01:"},
        OddName{"ampersand", "A&B", "winspool,Ne01:,15,45", "a&b /q", 0, "A&B,winspool,Ne01:"},
        OddName{"quotes", "Say \"hi\"", "winspool,Ne01:,15,45", "say /q", 0,
                "Say \"hi\",winspool,Ne01:"},
        OddName{"on twice, local", "A on B on srv", "winspool,Ne01:,15,45", "\"a on b\" /q", 0,
                "A on B on srv,winspool,Ne01:"},
        OddName{"on twice, network", "\\\\srv\\A on B", "winspool,Ne01:,15,45",
                "\"a on b on srv\" /q", 0, "\\\\srv\\A on B,winspool,Ne01:"},
        // The UNC form is taken back at the last " on ", which here lies in
        // the server part: the lookup fails and nothing is set.
        OddName{"on in the server", "\\\\x on y\\P", "winspool,Ne01:,15,45", "p /q", 2,
                std::nullopt},
        // "Device" could not carry the name: nothing is written.
        OddName{"comma", "Odd,Name", "winspool,Ne01:,15,45", "odd /q", 2, std::nullopt},
        OddName{"value without comma", "Fax", "winspool", "fax /q", 2, std::nullopt},
        OddName{"value with one comma", "Fax", "winspool,LPT1:", "fax /q", 2, std::nullopt},
        OddName{"empty value", "Fax", "", "fax /q", 2, std::nullopt},
        OddName{"empty port", "Fax", "winspool,,15,45", "fax /q", 2, std::nullopt},
        OddName{"only blanks", "   ", "winspool,Ne01:,15,45", "\" \" /nogui", 1, std::nullopt}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

TEST(OddPrinterNames, BlankNamesAreNotListed) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("   ");
    run.AddPrinter("Fax");
    EXPECT_EQ(run.Start(""), std::nullopt);
    EXPECT_EQ(run.toolkit.Find("frmQuillon")->Control("lstPrinters")->items,
              std::vector<std::string>{"Fax"});
}

TEST(OddPrinterNames, FailureIsToldOnceWithoutQ) {
    fakes::Harness run;
    run.StoreOptions("1", "1", "1");
    run.profile.Set("PrinterPorts", "Odd,Name", "winspool,Ne01:,15,45");
    EXPECT_EQ(run.Start("odd"), 2);
    ASSERT_EQ(run.toolkit.messages.size(), 1u);
    EXPECT_EQ(run.toolkit.messages[0].text, "The default printer could not be set to Odd,Name.");
    EXPECT_EQ(run.LogLines().back(), "set default printer to Odd,Name failed");
}

// The 95/98/Me family writes the level-5 record back with its names, which
// come through a 512-character buffer.
class SpoolerRecordNames : public ::testing::Test {
protected:
    fakes::Harness run;

    std::optional<int> SetOnWin9x(const std::string& name) {
        run.system.version = {1, 4};
        run.StoreOptions("1", "1", "1");
        run.AddPrinter(name);
        return run.Start(name.substr(0, 3) + " /q");
    }
};

TEST_F(SpoolerRecordNames, NameThatFillsTheBufferIsWrittenWhole) {
    const std::string name(511, 'n');
    EXPECT_EQ(SetOnWin9x(name), 0);
    ASSERT_EQ(run.spooler.writes.size(), 1u);
    EXPECT_EQ(run.spooler.writes[0].printerName, name);
    EXPECT_EQ(run.spooler.openConnections, 0);
}

TEST_F(SpoolerRecordNames, LongerNameIsNotWrittenBackCut) {
    EXPECT_EQ(SetOnWin9x(std::string(512, 'n')), 2);
    EXPECT_TRUE(run.spooler.writes.empty());
    EXPECT_EQ(run.spooler.openConnections, 0);
    EXPECT_EQ(run.spooler.printers[0].info5.attributes, 0u);
}

TEST_F(SpoolerRecordNames, LongerPortIsNotWrittenBackCut) {
    run.system.version = {1, 4};
    run.StoreOptions("1", "1", "1");
    run.AddPrinter("Fax", "winspool", std::string(700, 'p'));
    EXPECT_EQ(run.Start("fax /q"), 2);
    EXPECT_TRUE(run.spooler.writes.empty());
}

// Another program may change [PrinterPorts] after the key list was read
// and before the chosen printer's value is looked up.
class ProfileChangesMidRun : public ::testing::Test {
protected:
    fakes::Harness run;

    void SetUp() override {
        run.StoreOptions("1", "1", "1");
        run.AddPrinter("Fax", "winspool", "FAX:");
        run.AddPrinter("HP LaserJet 4", "winspool", "LPT1:");
    }
};

TEST_F(ProfileChangesMidRun, PrinterRemovedIsNotSetAndNothingIsWritten) {
    run.profile.afterKeyListRead = [&] { run.profile.Remove("PrinterPorts", "Fax"); };
    EXPECT_EQ(run.Start("fax /q"), 2);
    EXPECT_FALSE(run.Device().has_value());
    EXPECT_TRUE(run.profile.writes.empty());
}

TEST_F(ProfileChangesMidRun, ChangedValueIsTheOneWritten) {
    run.profile.afterKeyListRead = [&] {
        run.profile.Set("PrinterPorts", "Fax", "winspool,LPT3:,15,45");
    };
    EXPECT_EQ(run.Start("fax /q"), 0);
    EXPECT_EQ(run.Device(), "Fax,winspool,LPT3:");
}

TEST_F(ProfileChangesMidRun, ValueEmptiedIsNotSet) {
    run.profile.afterKeyListRead = [&] { run.profile.Set("PrinterPorts", "Fax", ""); };
    EXPECT_EQ(run.Start("fax /q"), 2);
    EXPECT_FALSE(run.Device().has_value());
}

TEST_F(ProfileChangesMidRun, PrinterAddedLaterIsNotInTheList) {
    run.profile.afterKeyListRead = [&] { run.AddPrinter("Plotter"); };
    EXPECT_EQ(run.Start("plotter /nogui"), 1);
    EXPECT_FALSE(run.Device().has_value());
}

TEST_F(ProfileChangesMidRun, DefaultChangedIsReadAfterTheList) {
    run.profile.afterKeyListRead = [&] { run.SetDefault("HP LaserJet 4,winspool,LPT1:"); };
    EXPECT_EQ(run.Start(""), std::nullopt);
    auto* window = run.toolkit.Find("frmQuillon");
    EXPECT_EQ(window->ListText("lstPrinters", window->ListIndex("lstPrinters")), "HP LaserJet 4");
}

// Wine reports a key list it had to cut with the count size - 1, where
// Windows reports size - 2.
class WineProfile : public fakes::FakeProfile {
public:
    std::size_t GetString(std::string_view section, std::optional<std::string_view> key,
                          std::string_view defaultValue, std::span<char> buffer) override {
        const auto count = FakeProfile::GetString(section, key, defaultValue, buffer);
        const bool cut = !key && buffer.size() >= 2 && count == buffer.size() - 2;
        return cut ? count + 1 : count;
    }
};

TEST(LongKeyList, CutAsWineReportsItIsReadAgainWhole) {
    WineProfile profile;
    std::vector<std::string> names;
    for (int i = 0; i < 1500; ++i) {
        names.push_back("Printer " + std::to_string(i));
        profile.Set("PrinterPorts", names.back(), "winspool,Ne01:,15,45");
    }
    PrinterTable table;
    FillPrinterTable(table, ReadPrinterKeyList(profile), 1);
    EXPECT_EQ(table.RawPrinterNames, names);
}

}  // namespace
}  // namespace quillon::printers
