#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printers/printer_table.h"

namespace quillon::printers {
namespace {

using Names = std::vector<std::string>;

std::string KeyList(std::string_view names, std::size_t blanks) {
    return std::string(names) + std::string(blanks, ' ');
}

TEST(FillPrinterTable, ParsesTheKeyListInItsOrder) {
    PrinterTable table;
    const auto keyList = KeyList(std::string_view("Fax\0\\\\prtsrv\\Laser 4\0\0", 23), 8000);
    FillPrinterTable(table, keyList, 1);
    EXPECT_EQ(table.PrinterCount(), 2u);
    EXPECT_EQ(table.RawPrinterNames, (Names{"Fax", "\\\\prtsrv\\Laser 4"}));
    EXPECT_EQ(table.DisplayPrinterNames, (Names{"Fax", "Laser 4 on prtsrv"}));

    FillPrinterTable(table, keyList, 2);
    EXPECT_EQ(table.PrinterCount(), 2u);
    EXPECT_EQ(table.DisplayPrinterNames, (Names{"Fax", "Laser 4"}));
}

TEST(FillPrinterTable, SkipsEmptyAndBlankPiecesButKeepsBlanksOfNames) {
    struct Case {
        std::string keyList;
        Names raw;
    };
    const Case cases[] = {
        {std::string("\0\0   \0 \0", 9), {}},
        {"", {}},
        {std::string(8192, ' '), {}},
        {std::string(" Fax \0   \0\0", 11), {" Fax "}},
        // A text without a final NUL still gives its last piece.
        {std::string("A\0B", 3), {"A", "B"}},
        {"Fax", {"Fax"}},
        {std::string("A\0\0B\0", 5), {"A", "B"}},
        // The filler after the list is one more piece, all blanks.
        {std::string("A\0\0", 3) + "   x", {"A", "   x"}},
    };
    for (const auto& c : cases) {
        PrinterTable table;
        FillPrinterTable(table, c.keyList, 1);
        EXPECT_EQ(table.RawPrinterNames, c.raw);
        EXPECT_EQ(table.DisplayPrinterNames.size(), c.raw.size());
    }
}

TEST(FillPrinterTable, ReplacesTheOldEntries) {
    PrinterTable table;
    FillPrinterTable(table, std::string("A\0B\0C\0\0", 7), 1);
    FillPrinterTable(table, std::string("\\\\s\\D\0\0", 7), 2);
    EXPECT_EQ(table.RawPrinterNames, Names{"\\\\s\\D"});
    EXPECT_EQ(table.DisplayPrinterNames, Names{"D"});
}

TEST(FillPrinterTable, HandlesFiftyThousandPrinters) {
    std::string keyList;
    for (int i = 0; i < 50000; ++i) {
        keyList += "\\\\server" + std::to_string(i % 7) + "\\Printer number " + std::to_string(i);
        keyList += '\0';
    }
    keyList += '\0';
    keyList += std::string(8192, ' ');
    PrinterTable table;
    FillPrinterTable(table, keyList, 1);
    ASSERT_EQ(table.PrinterCount(), 50000u);
    EXPECT_EQ(table.DisplayPrinterNames.back(), "Printer number 49999 on server5");
}

TEST(ListEntryToPrinterName, FindsTheRawNameOfTheFirstMatchingEntry) {
    PrinterTable table;
    FillPrinterTable(table, std::string("\\\\a\\HP\0\\\\b\\HP\0Fax\0\\\\c\\Lz  \0\0", 29), 2);
    ASSERT_EQ(table.DisplayPrinterNames, (Names{"HP", "HP", "Fax", "Lz  "}));
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"HP", "HP on a"},
        {"Fax", "Fax"},
        {"Lz  ", "Lz on c"},
        {"hp", "hp"},  // exact comparison only
        {"\\\\x\\Other", "Other on x"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListEntryToPrinterName(table, c.text), c.expected) << "text: " << c.text;
    }
}

TEST(ListEntryToPrinterName, WorksOnAnEmptyTable) {
    const PrinterTable table;
    EXPECT_EQ(ListEntryToPrinterName(table, "Fax"), "Fax");
}

}  // namespace
}  // namespace quillon::printers
