#include "shortcuts/shortcut_names.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_code_page.h"

namespace quillon::shortcuts {
namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(CleanShortcutName, DropsTheTenCharactersAndKeepsTheRest) {
    for (const auto& c : {
             TextCase{"Set default printer to Fax", "Set default printer to Fax"},
             TextCase{"a/b\\c:d*e?f\"g<h>i|j'k", "abcdefghijk"},
             TextCase{"/\\:*?\"<>|'", ""},
             TextCase{"", ""},
             TextCase{"HP 4 on srv", "HP 4 on srv"},
             TextCase{"\\\\srv\\Plotter", "srvPlotter"},
             TextCase{"Tab\tand.dots-_()&%", "Tab\tand.dots-_()&%"},
             TextCase{"'quoted'", "quoted"},
         }) {
        EXPECT_EQ(CleanShortcutName(c.input), c.expected) << c.input;
    }
}

TEST(StartupFolderName, IsTheTextAfterTheLastBackslash) {
    for (const auto& c : {
             TextCase{"C:\\Users\\ann\\Start Menu\\Programs\\Startup", "Startup"},
             TextCase{"C:\\Users\\ann\\Autostart", "Autostart"},
             TextCase{"", ""},
             TextCase{"Startup", ""},
             TextCase{"C:\\Startup\\", ""},
             TextCase{"C:\\", ""},
         }) {
        EXPECT_EQ(StartupFolderName(c.input), c.expected) << c.input;
    }
}

TEST(IsQuillonTarget, OnlyTheExactFileNameInAnyCaseCounts) {
    struct Case {
        const char* target;
        bool expected;
    };
    for (const auto& c : {
             Case{"C:\\Program Files\\Quillon\\quillon.exe", true},
             Case{"C:\\PROGRAM FILES\\QUILLON\\QUILLON.EXE", true},
             Case{"C:\\a\\QuIlLoN.ExE", true},
             Case{"quillon.exe", true},
             Case{"\\\\srv\\share\\quillon.exe", true},
             Case{"C:\\Tools\\myquillon.exe", false},
             Case{"C:\\Tools\\quillon.exe.bak", false},
             Case{"C:\\quillon.exe\\other.exe", false},
             Case{"C:\\Tools\\quillon.exe ", false},
             Case{"C:\\Tools\\quillon", false},
             Case{"C:\\Windows\\notepad.exe", false},
             Case{"", false},
             Case{"C:\\Tools\\", false},
         }) {
        EXPECT_EQ(IsQuillonTarget(c.target), c.expected) << c.target;
    }
}

TEST(ShortcutNames, KeepDoubleByteCharactersWhole) {
    // "\x83\x5C" and "\x83\x7C" end in "\" and "|".
    const text::ScopedCodePage page(fakes::FakeCodePage::DoubleByte());
    EXPECT_EQ(CleanShortcutName("To \x83\x5C\x83\x7C|\\"), "To \x83\x5C\x83\x7C");
    EXPECT_EQ(StartupFolderName("C:\\Start\x83\x5C"), "Start\x83\x5C");
    EXPECT_FALSE(IsQuillonTarget("C:\\\x83\x5Cquillon.exe"));
    EXPECT_TRUE(IsQuillonTarget("C:\\\x83\x5C\\QUILLON.EXE"));
}

TEST(MakeShortcutRequest, RunsTheProgramWithThePrinterInQuotes) {
    const auto request =
        MakeShortcutRequest(texts::English(), "Plotter on srv", "Plotter on srv", "C:\\Program Files\\Q", "quillon");
    EXPECT_EQ(request.name, "Set default printer to Plotter on srv");
    EXPECT_EQ(request.target, "C:\\Program Files\\Q\\quillon.exe");
    EXPECT_EQ(request.arguments, "\"Plotter on srv\"");

    // The display text may hide the server; the argument names the printer.
    const auto hidden = MakeShortcutRequest(texts::English(), "Plotter", "Plotter on srv", "D:\\Apps", "Q2");
    EXPECT_EQ(hidden.name, "Set default printer to Plotter");
    EXPECT_EQ(hidden.target, "D:\\Apps\\Q2.exe");
    EXPECT_EQ(hidden.arguments, "\"Plotter on srv\"");
}

}  // namespace
}  // namespace quillon::shortcuts
