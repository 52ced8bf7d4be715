#include <gtest/gtest.h>

#include <string>

#include "fakes/harness.h"
#include "printers/default_printer.h"
#include "printers/printer_table.h"

namespace quillon::printers {
namespace {

class DefaultPrinterTest : public ::testing::Test {
protected:
    fakes::Harness run;

    void SetUp() override {
        run.state.IsWindows6OrLater = true;
        run.state.DiagnosticsEnabled = true;
        run.AddPrinter("Fax", "winspool", "FAX:");
        run.AddPrinter("Laser 4", "winspool", "Ne01:");
        run.AddPrinter("\\\\prtsrv\\Laser 4", "winspool", "Ne03:");
        FillPrinterTable(run.state.PrinterTable,
                         std::string("Fax\0Laser 4\0\\\\prtsrv\\Laser 4\0\0", 31), 1);
    }
};

TEST_F(DefaultPrinterTest, ReadsTheDefaultWithDriverAndPortOfTheInstalledPrinter) {
    run.SetDefault("Laser 4,other,LPT9:");
    const auto current = ReadDefaultPrinter(run.state);
    EXPECT_EQ(current.name, "Laser 4");
    EXPECT_EQ(current.driver, "winspool");
    EXPECT_EQ(current.port, "Ne01:");
}

TEST_F(DefaultPrinterTest, UnknownOrMissingDefaultReadsAsQuestionMarks) {
    for (const char* device : {"laser 4,winspool,Ne01:", "", "Gone,winspool,LPT1:"}) {
        run.SetDefault(device);
        const auto current = ReadDefaultPrinter(run.state);
        EXPECT_EQ(current.name + current.driver + current.port, "???") << device;
    }
    run.profile.Remove("windows", "device");
    EXPECT_EQ(ReadDefaultPrinter(run.state).name, "?");
}

TEST_F(DefaultPrinterTest, LocalPrinterIsWrittenAfterOneLookup) {
    EXPECT_EQ(SetDefaultByProfile(run.state, "Fax").status, SetDefaultStatus::Set);
    EXPECT_EQ(run.Device(), "Fax,winspool,FAX:");
}

TEST_F(DefaultPrinterTest, NetworkPrinterIsWrittenUnderItsUncForm) {
    EXPECT_EQ(SetDefaultByProfile(run.state, "Laser 4 on prtsrv").status, SetDefaultStatus::Set);
    EXPECT_EQ(run.Device(), "\\\\prtsrv\\Laser 4,winspool,Ne03:");
}

TEST_F(DefaultPrinterTest, ValueWithoutPortCountsAsMissing) {
    run.profile.Set("PrinterPorts", "Fax", "winspool,LPT1:");
    EXPECT_EQ(SetDefaultByProfile(run.state, "Fax").status, SetDefaultStatus::Failed);
    EXPECT_FALSE(run.Device().has_value());
    EXPECT_EQ(run.LogLines().back(), "set default printer to Fax failed");
}

TEST_F(DefaultPrinterTest, NothingSelectedSetsNothing) {
    EXPECT_EQ(SetDefaultByProfile(run.state, std::nullopt).status, SetDefaultStatus::Failed);
    EXPECT_TRUE(run.profile.writes.empty());
}

TEST_F(DefaultPrinterTest, BroadcastFollowsTheWriteOnEveryVersion) {
    for (const bool sixOrLater : {true, false}) {
        run.profile.broadcasts.clear();
        run.state.IsWindows6OrLater = sixOrLater;
        EXPECT_EQ(SetDefaultByProfile(run.state, "Fax").status, SetDefaultStatus::Set);
        EXPECT_EQ(run.profile.broadcasts, std::vector<std::string>{"windows"}) << sixOrLater;
    }
}

TEST_F(DefaultPrinterTest, SpoolerAddsTheDefaultBitAndKeepsTheOthers) {
    run.spooler.Find("Fax")->info5.attributes = 0x8 | 0x10;  // shared, network
    EXPECT_EQ(SetDefaultBySpooler(run.state, "Fax").status, SetDefaultStatus::Set);
    ASSERT_EQ(run.spooler.writes.size(), 1U);
    const auto& written = run.spooler.writes[0];
    EXPECT_EQ(written.attributes, 0x8U | 0x10U | 0x4U);
    EXPECT_EQ(written.printerName, "Fax");
    EXPECT_EQ(written.portName, "FAX:");
    EXPECT_EQ(written.deviceNotSelectedTimeout, 15000U);
    EXPECT_EQ(written.transmissionRetryTimeout, 45000U);
    EXPECT_EQ(run.spooler.opened[0].access, platform::kPrinterAllAccess);
    EXPECT_EQ(run.spooler.openConnections, 0);
    EXPECT_TRUE(run.profile.writes.empty());
}

TEST_F(DefaultPrinterTest, SpoolerOpensNetworkPrintersByTheirOnFormOnly) {
    EXPECT_EQ(SetDefaultBySpooler(run.state, "Laser 4 on prtsrv").status, SetDefaultStatus::Failed);
    ASSERT_EQ(run.spooler.opened.size(), 1U);
    EXPECT_EQ(run.spooler.opened[0].printerName, "Laser 4 on prtsrv");
    EXPECT_TRUE(run.toolkit.messages.empty());
}

TEST_F(DefaultPrinterTest, SpoolerReadFailureChangesNothingSilently) {
    run.spooler.failRead = true;
    EXPECT_EQ(SetDefaultBySpooler(run.state, "Fax").status, SetDefaultStatus::Failed);
    EXPECT_TRUE(run.spooler.writes.empty());
    EXPECT_TRUE(run.toolkit.messages.empty());
    EXPECT_EQ(run.spooler.openConnections, 0);
}

TEST_F(DefaultPrinterTest, SpoolerWriteFailureComesBackWithItsErrorCode) {
    run.spooler.setPrinterError = 122;
    const auto result = SetDefaultBySpooler(run.state, "Fax");
    EXPECT_EQ(result.status, SetDefaultStatus::SpoolerRefused);
    EXPECT_EQ(result.windowsError, 122U);
    EXPECT_TRUE(run.toolkit.messages.empty());
    EXPECT_EQ(run.LogLines().back(), "set default to Fax failed err code: 122");
    EXPECT_EQ(run.spooler.openConnections, 0);
}

TEST(StringFromPointer, CopiesAtMostFiveHundredElevenCharacters) {
    EXPECT_EQ(StringFromPointer(nullptr), "");
    EXPECT_EQ(StringFromPointer("Fax"), "Fax");
    const std::string longName(600, 'x');
    EXPECT_EQ(StringFromPointer(longName.c_str()), std::string(511, 'x'));
    // The buffer never keeps half a character.
    const fakes::Utf8CodePage utf8;
    EXPECT_EQ(StringFromPointer((std::string(510, 'x') + "é").c_str()), std::string(510, 'x'));
}

}  // namespace
}  // namespace quillon::printers
