#include <algorithm>

#include "test_names.h"
#include "wine/fixture.h"

namespace quillon::e2e {
namespace {

using Strings = std::vector<std::string>;

// Names from other scripts than the Western code page's, beside the
// fixture's ASCII ones, on Windows 10.
constexpr const char* kNames[] = {"Принтер бухгалтерия", "ΕΚΤΥΠΩΤΗΣ Γραφείο", "打印机 3楼",
                                  "Drucker Büro", "ŠKODA Tisk"};

class UnicodeNames : public QuillonTest {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        SetWineVersion("win10");
        for (const char* name : kNames) AddProfilePrinter(name, "winspool,LPT3:,15,45");
    }
};

struct NamedPrinter {
    const char* label;
    const char* arguments;
    const char* printer;
};

class UnicodeArgument : public UnicodeNames, public ::testing::WithParamInterface<NamedPrinter> {};

TEST_P(UnicodeArgument, SetsThePrinterUnderItsExactName) {
    EXPECT_EQ(RunToEnd(std::string(GetParam().arguments) + " /q"), 0U);
    EXPECT_EQ(DefaultDeviceWide(), Utf16(std::string(GetParam().printer) + ",winspool,LPT3:"));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, UnicodeArgument,
    ::testing::Values(NamedPrinter{"cyrillic prefix", "принтер", kNames[0]},
                      NamedPrinter{"cyrillic capitals", "ПРИНТЕР", kNames[0]},
                      NamedPrinter{"quoted cyrillic pattern", "\"принтер*\"", kNames[0]},
                      NamedPrinter{"greek pattern", "εκτυπ*", kNames[1]},
                      NamedPrinter{"chinese pattern", "打印机*", kNames[2]},
                      NamedPrinter{"one character for u umlaut", "\"drucker b?ro\"", kNames[3]},
                      NamedPrinter{"lower s caron", "škoda", kNames[4]},
                      NamedPrinter{"cyrillic range", "[а-я]*", kNames[0]}),
    [](const auto& info) { return testing_names::FromText(info.param.label, info.index); });

TEST_F(UnicodeNames, WindowListsEveryNameAndConfirmsTheChosenOneWhole) {
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    HWND list = FindControl(main, "ListBox");
    auto entries = ListEntries(list);
    std::sort(entries.begin(), entries.end());
    Strings expected{"Fax", "HP DeskJet 500", "HP LaserJet 4", "Plotter on srv"};
    expected.insert(expected.end(), std::begin(kNames), std::end(kNames));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);

    const auto shown = ListEntries(list);
    const auto chosen = std::find(shown.begin(), shown.end(), kNames[2]);
    ASSERT_NE(chosen, shown.end());
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chosen - shown.begin()), 0);
    Press(FindControl(main, "Button", "&Set as default"));
    HWND success = program.WaitForWindow("Success");
    ASSERT_NE(success, nullptr);
    EXPECT_NE(FindControl(success, "Static", "The default printer has been set to 打印机 3楼."),
              nullptr);
    Press(FindControl(success, "Button", "&OK"));
    EXPECT_EQ(program.WaitForExit(10s), 0U);
    EXPECT_EQ(DefaultDeviceWide(), Utf16("打印机 3楼,winspool,LPT3:"));
}

// 90 characters, 270 bytes in UTF-8: more than a buffer of 254 bytes holds.
TEST_F(UnicodeNames, NinetyCharacterDefaultIsPreselected) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "打印机";
    AddProfilePrinter(name, "winspool,LPT3:,15,45");
    InstallSpoolerPrinter(name, "LPT1:");
    SetDefaultDevice(name + ",winspool,LPT3:");
    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ("System\\CurrentControlSet\\Control\\Print\\Printers\\" + name).c_str());
    ASSERT_NE(main, nullptr);
    HWND list = FindControl(main, "ListBox");
    const int selected = ListSelection(list);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(ListEntries(list)[static_cast<std::size_t>(selected)], name);
}

// A letter typed into the list, as the keyboard delivers it: wide.
TEST_F(UnicodeNames, TypedLetterOutsideAsciiFindsItsEntry) {
    HWND main = Start("").WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    HWND list = FindControl(main, "ListBox");
    PostMessageW(list, WM_CHAR, L'\u0395', 1);  // Greek capital epsilon
    EXPECT_TRUE(WaitUntil([&] {
        const int selected = ListSelection(list);
        return selected >= 0 && ListEntries(list)[static_cast<std::size_t>(selected)] == kNames[1];
    }, 30s));
}

// Before Windows 10 1903 the manifest's UTF-8 entry counts for nothing: the
// program runs in the code page of the locale, a Western one here.
TEST_F(QuillonTest, OutsideTheCodePageANameMatchesNothing) {
    const std::string program = FolderOf(ProgramPath()) + "\\locale-code-page\\quillon.exe";
    AddProfilePrinter("Drucker 2", "winspool,LPT3:,15,45");
    AddProfilePrinter("Laser 9", "winspool,LPT3:,15,45");
    for (const char* name : {"\"Принтер 2\"", "ＨＰ", "Łaser"}) {
        Process run(program, std::string(name) + " /q /nogui");
        EXPECT_EQ(run.WaitForExit(30s), 1U) << name;
        EXPECT_EQ(DefaultDevice(), "") << name;
    }
    Process prefix(program, "\"hp l\" /q /nogui");
    EXPECT_EQ(prefix.WaitForExit(30s), 0U);
    EXPECT_EQ(DefaultDevice(), "HP LaserJet 4,winspool,LPT1:");
}

}  // namespace
}  // namespace quillon::e2e
