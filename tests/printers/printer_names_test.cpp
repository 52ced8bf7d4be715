#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_code_page.h"
#include "printers/printer_names.h"

namespace quillon::printers {
namespace {

struct FormatCase {
    std::string name;
    std::int32_t mode;
    std::string expected;
    std::string_view form = "%1 on %2";  // a language's PrinterOnServer
};

TEST(ListFormat, ShowsNetworkPrintersInTheOnForm) {
    const FormatCase cases[] = {
        {"Fax", 1, "Fax"},
        {"\\\\prtsrv\\Laser 4", 1, "Laser 4 on prtsrv"},
        {"\\\\prtsrv\\Laser 4", 0, "Laser 4 on prtsrv"},
        {"\\\\prtsrv\\Laser 4", 2, "Laser 4"},
        {"\\\\srv\\dept\\HP", 1, "HP on srv\\dept"},
        {"\\\\srv\\dept\\HP", 2, "HP"},
        {"\\\\\\HP", 1, "HP on "},
        {"\\\\\\HP", 2, "HP"},
        {"\\\\srv\\", 1, " on srv"},
        {"\\\\srv\\", 2, ""},
        {"\\\\srv", 1, "\\\\srv"},
        {"\\\\srv", 2, "\\\\srv"},
        {"\\\\", 1, "\\\\"},
        {"\\", 1, "\\"},
        {"", 2, ""},
        {"\\srv\\HP", 1, "\\srv\\HP"},  // one leading backslash is a plain name
        {"\\\\srv\\HP  ", 1, "HP   on srv"},
        {"\\\\srv\\HP  ", 2, "HP  "},
        {"Fax On Modem", 2, "Fax"},
        {"Fax On Modem", 1, "Fax On Modem"},
        {"Fax ON Modem", 2, "Fax"},
        {"Fax Onmodem", 2, "Fax Onmodem"},
        {"A on B on C", 2, "A"},
        {"\\\\on x\\HP", 2, "HP"},
        {"\\\\srv\\A on B", 2, "A"},
        {"\\\\prtsrv\\Laser 4", 1, "Laser 4 auf prtsrv", "%1 auf %2"},
        {"\\\\prtsrv\\Laser 4", 1, "prtsrv 上の Laser 4", "%2 上の %1"},
        {"\\\\prtsrv\\Laser 4", 2, "Laser 4", "%2 上の %1"},
        {"Fax on Modem", 2, "Fax", "%1 auf %2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListFormat(c.name, c.mode, c.form), c.expected) << "name: " << c.name << " mode " << c.mode;
    }
}

struct NameCase {
    std::string name;
    std::string expected;
};

TEST(ToOnForm, TrimsThePrinterPartAndKeepsTheServer) {
    const NameCase cases[] = {
        {"\\\\prtsrv\\Laser 4", "Laser 4 on prtsrv"},
        {"\\\\srv\\HP  ", "HP on srv"},
        {"\\\\srv\\dept\\HP", "HP on srv\\dept"},
        {"\\\\srv", "\\\\srv"},
        {"\\\\\\HP", "HP on "},
        {"\\\\ srv \\ HP ", " HP on  srv "},
        {"Fax", "Fax"},
        {"Fax  ", "Fax  "},
        {"Fax On Modem", "Fax On Modem"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ToOnForm(c.name), c.expected) << "name: " << c.name;
}

TEST(ToUncForm, SplitsAtTheLastLowerCaseMarker) {
    const NameCase cases[] = {
        {"Laser 4 on prtsrv", "\\\\prtsrv\\Laser 4"},
        {"A on B on C", "\\\\C\\A on B"},
        {"Fax", "Fax"},
        {"Laser ON prtsrv", "Laser ON prtsrv"},
        {"Laser on prtsrv  ", "\\\\prtsrv\\Laser"},
        {"Laser on srv\\dept", "\\\\srv\\dept\\Laser"},
        {" on srv", "\\\\srv\\"},
        {"A on ", "\\\\\\A"},
        {"A on   ", "\\\\\\A"},
        {"A on", "A on"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ToUncForm(c.name), c.expected) << "name: " << c.name;
}

TEST(NameForms, SplitAndCompareWholeCharacters) {
    using fakes::FakeCodePage;
    // In the double-byte page "\x83\x5C" is one character ending in "\",
    // and "\x83o" one ending in "o".
    const struct {
        const FakeCodePage& page;
        std::string (*actual)();
        std::string expected;
    } cases[] = {
        {FakeCodePage::DoubleByte(), [] { return ToOnForm("\\\\srv\\a\x83\x5C"); }, "a\x83\x5C on srv"},
        {FakeCodePage::DoubleByte(), [] { return ListFormat("\\\\s\x83\x5C\\P", 1); }, "P on s\x83\x5C"},
        {FakeCodePage::DoubleByte(),
         [] { return std::to_string(PrinterNameMatches("\\\\srv\\A", "B\x83on srv")); }, "0"},
        {FakeCodePage::Utf8(), [] { return ListFormat("ȺȺ ON srv", 2); }, "ȺȺ"},
        {FakeCodePage::Utf8(), [] { return ListFormat("\\\\сервер\\Принтер", 2); }, "Принтер"},
        {FakeCodePage::Utf8(),
         [] { return std::to_string(PrinterNameMatches("\\\\СЕРВЕР\\A", "Принтер on сервер")); }, "1"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const text::ScopedCodePage page(cases[i].page);
        EXPECT_EQ(cases[i].actual(), cases[i].expected) << "case " << i;
    }
}

TEST(NameForms, OnFormAndUncFormTurnIntoEachOther) {
    for (const std::string unc : {"\\\\prtsrv\\Laser 4", "\\\\srv\\dept\\HP", "\\\\s\\A on B"}) {
        EXPECT_EQ(ToUncForm(ToOnForm(unc)), unc);
    }
}

struct MatchCase {
    std::string printer1;
    std::string printer2;
    bool matches;
    std::string_view form = "%1 on %2";
};

TEST(PrinterNameMatches, ComparesNamesAndServers) {
    const MatchCase cases[] = {
        {"FAX", "fax", true},
        {"Fax", "Fax ", false},  // no trimming for equal names
        {"\\\\srv\\A", "B on SRV  ", true},
        {"\\\\srv\\A", "A", false},
        {"A on srv", "\\\\srv\\B", true},
        {"\\\\s1\\A", "\\\\s2\\A", false},
        {"\\\\S1\\A", "\\\\s1\\a", true},
        {"\\\\prtsrv\\Laser 4", "Laser 4 on prtsrv", true},
        {"\\\\prtsrv\\Laser 4", "Plotter on prtsrv", true},
        {"\\\\prtsrv\\Laser 4", "xon prtsrv", true},
        {"\\\\prtsrv\\Laser 4", "on prtsrv", true},
        {"\\\\prtsrv\\Laser 4", "n prtsrv", false},  // shorter than the tail
        {"\\\\prtsrv\\Laser 4", "Laser 4 on prtsrv2", false},
        {"\\\\srv\\dept\\HP", "HP on srv\\dept", true},
        {"\\\\srv\\dept\\HP", "HP on dept", false},
        // The first name's server decides; the second name's form is not
        // looked at then.
        {"\\\\s1\\A", "\\\\x\\A on s1", true},
        {"\\\\srv", "A on srv", false},
        {"A on srv", "\\\\srv", false},
        {"A on srv  ", "\\\\srv\\B", true},
        {"A on srv", "\\\\SRV\\B", true},
        {"Fax", "Laser", false},
        {"", "", true},
        {"", "\\\\srv\\A", false},
        // The run's form as well as the English one.
        {"\\\\prtsrv\\Laser 4", "Laser 4 auf PRTSRV", true, "%1 auf %2"},
        {"\\\\prtsrv\\Laser 4", "Laser 4 on prtsrv", true, "%1 auf %2"},
        {"\\\\prtsrv\\Laser 4", "Laser 4 auf prtsrv", false},
        {"prtsrv 上の Laser 4", "\\\\prtsrv\\Laser 4", true, "%2 上の %1"},
        {"\\\\prtsrv\\Laser 4", "srv 上の Laser 4", false, "%2 上の %1"},
        {"\\\\prtsrv\\Laser 4", "prtsrv 上の", false, "%2 上の %1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrinterNameMatches(c.printer1, c.printer2, c.form), c.matches)
            << "1: " << c.printer1 << " 2: " << c.printer2;
    }
}

struct SplitCase {
    std::string value;
    std::string driver;
    std::string port;
};

TEST(SplitPrinterPortsValue, TakesTheFirstTwoFields) {
    const SplitCase cases[] = {
        {"winspool,Ne01:,15,45", "winspool", "Ne01:"},
        {"winspool,LPT1:", "winspool", ""},
        {"winspool,LPT1:,", "winspool", "LPT1:"},
        {"", "", ""},
        {"winspool", "", ""},
        {",", "", ""},
        {",,", "", ""},
        {",,,", "", ""},
        {",Ne01:,", "", "Ne01:"},
        {" winspool , Ne01: ,15", " winspool ", " Ne01: "},
    };
    for (const auto& c : cases) {
        const auto result = SplitPrinterPortsValue(c.value);
        EXPECT_EQ(result.driver, c.driver) << "value: " << c.value;
        EXPECT_EQ(result.port, c.port) << "value: " << c.value;
    }
}

}  // namespace
}  // namespace quillon::printers
