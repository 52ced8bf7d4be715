#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_profile.h"
#include "printers/key_list.h"
#include "printers/printer_table.h"

namespace quillon::printers {
namespace {

std::string LongName(int i) {
    return "\\\\printserver-" + std::to_string(i % 13) + "\\Department printer number " +
           std::to_string(i);
}

// Long names in the profile until their list is longer than the size.
std::vector<std::string> AddLongNames(fakes::FakeProfile& profile, std::size_t listSize) {
    std::vector<std::string> names;
    for (std::size_t size = 0; size <= listSize; size += names.back().size() + 1) {
        names.push_back(LongName(static_cast<int>(names.size())));
        profile.Set("PrinterPorts", names.back(), "winspool,Ne01:,15,45");
    }
    return names;
}

TEST(ReadPrinterKeyList, ShortListComesInOneBlankFilledBuffer) {
    fakes::FakeProfile profile;
    profile.Set("PrinterPorts", "Fax", "winspool,FAX:,15,45");
    profile.Set("PrinterPorts", "\\\\prtsrv\\Laser 4", "winspool,Ne01:,15,45");
    const auto keyList = ReadPrinterKeyList(profile);
    EXPECT_EQ(keyList.size(), kFirstKeyListBufferSize);
    EXPECT_EQ(keyList.substr(0, 22), std::string("Fax\0\\\\prtsrv\\Laser 4\0\0", 22));
    EXPECT_EQ(keyList.find_first_not_of(' ', 22), std::string::npos);
    EXPECT_EQ(profile.keyListReads, std::vector<std::size_t>{kFirstKeyListBufferSize});
}

TEST(ReadPrinterKeyList, EmptySectionGivesNoPrinters) {
    fakes::FakeProfile profile;
    const auto keyList = ReadPrinterKeyList(profile);
    PrinterTable table;
    FillPrinterTable(table, keyList, 1);
    EXPECT_EQ(table.PrinterCount(), 0u);
    EXPECT_EQ(profile.keyListReads.size(), 1u);
}

TEST(ReadPrinterKeyList, LongListIsReadAgainUntilEveryNameFits) {
    fakes::FakeProfile profile;
    const auto names = AddLongNames(profile, 2 * kFirstKeyListBufferSize);
    const auto keyList = ReadPrinterKeyList(profile);
    PrinterTable table;
    FillPrinterTable(table, keyList, 1);
    EXPECT_EQ(table.RawPrinterNames, names);
    // Each read twice the size of the one before.
    ASSERT_GE(profile.keyListReads.size(), 2u);
    for (std::size_t i = 1; i < profile.keyListReads.size(); ++i) {
        EXPECT_EQ(profile.keyListReads[i], 2 * profile.keyListReads[i - 1]);
    }
}

TEST(ReadPrinterKeyList, ListThatJustFitsIsComplete) {
    // Names whose list, with its final NUL, fills the buffer to the byte, and
    // one that is a character short of it.
    for (const std::size_t listSize : {kFirstKeyListBufferSize, kFirstKeyListBufferSize - 1,
                                       kFirstKeyListBufferSize + 1}) {
        fakes::FakeProfile profile;
        std::vector<std::string> names;
        std::size_t used = 1;
        for (int i = 0; used < listSize; ++i) {
            std::string name = "P" + std::to_string(i) + std::string(90, 'x');
            if (used + name.size() + 1 > listSize) name.resize(listSize - used - 1);
            used += name.size() + 1;
            names.push_back(name);
            profile.Set("PrinterPorts", name, "winspool,LPT1:");
        }
        PrinterTable table;
        FillPrinterTable(table, ReadPrinterKeyList(profile), 1);
        EXPECT_EQ(table.RawPrinterNames, names) << "list size " << listSize;
    }
}

TEST(ReadPrinterKeyList, PrinterAddedBetweenReadsIsIncluded) {
    fakes::FakeProfile profile;
    const auto names = AddLongNames(profile, kFirstKeyListBufferSize);
    bool added = false;
    profile.afterKeyListRead = [&] {
        if (!added) profile.Set("PrinterPorts", "Late arrival", "winspool,LPT1:");
        added = true;
    };
    PrinterTable table;
    FillPrinterTable(table, ReadPrinterKeyList(profile), 1);
    ASSERT_EQ(table.PrinterCount(), names.size() + 1);
    EXPECT_EQ(table.RawPrinterNames.back(), "Late arrival");
}

}  // namespace
}  // namespace quillon::printers
