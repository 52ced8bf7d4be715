#include "shortcuts/shell_link.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "fakes/fake_shell.h"
#include "shortcuts/shell_folders.h"

namespace quillon::shortcuts {
namespace {

using namespace std::string_literals;

constexpr const char* kLink = "C:\\Users\\ann\\Desktop\\Printer.lnk";

TEST(TrimAtNull, KeepsTheTextBeforeTheFirstNul) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"C:\\quillon.exe", "C:\\quillon.exe"},
        {"", ""},
        {"\0abc"s, ""},
        {"ab\0cd\0"s, "ab"},
        {"path\0   "s, "path"},
        {"   ", "   "},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimAtNull(c.text), c.expected) << c.text;
}

TEST(MakeHotKey, PacksModifiersAboveTheKey) {
    struct Case {
        std::int32_t modifiers;
        std::uint8_t key;
        std::int16_t expected;
    };
    for (const auto& c : {Case{6, 65, 0x641}, Case{0, 0, 0}, Case{0, 255, 255}, Case{1, 0, 256},
                          Case{127, 255, 32767}, Case{-1, 255, -1}, Case{-128, 0, -32768},
                          Case{-128, 255, -32513}}) {
        EXPECT_EQ(cShellLinkA::MakeHotKey(c.modifiers, c.key), c.expected)
            << c.modifiers << " " << int{c.key};
    }
}

TEST(MakeHotKey, ReportsAnOverflowToTheCaller) {
    for (const std::int32_t modifiers : {128, 255, 256, -129, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        EXPECT_THROW((void)cShellLinkA::MakeHotKey(modifiers, 0), std::overflow_error) << modifiers;
    }
}

class ShellLinkTest : public ::testing::Test {
protected:
    fakes::FakeFiles files;
    fakes::FakeShell shell{files};
    cShellLinkA link{shell};

    bool Create(std::string_view file = kLink, std::string_view target = "C:\\Q\\quillon.exe") {
        return link.CreateLink("Quillon", file, target, "", "\"Fax\"", 0, 0, 5);
    }
};

TEST_F(ShellLinkTest, CreateLinkMakesTheCallsInOrderAndWritesTheFileLast) {
    ASSERT_TRUE(link.CreateLink("Desc", kLink, "C:\\Q\\quillon.exe", "C:\\Work", "\"Fax\"", 3,
                                0x641, 7));
    const std::vector<std::string> expected{
        "Create",
        "SetPath(C:\\Q\\quillon.exe)",
        "SetIconLocation(C:\\Q\\quillon.exe,3)",
        "SetShowCmd(7)",
        "SetHotkey(1601)",
        "SetWorkingDirectory(C:\\Work)",
        "SetArguments(\"Fax\")",
        "SetDescription(Desc)",
        "Resolve(0,4)",
        "Save(C:\\Users\\ann\\Desktop\\Printer.lnk)",
    };
    EXPECT_EQ(shell.linkCalls, expected);
    const auto written = shell.Link(kLink);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->target, "C:\\Q\\quillon.exe");
    EXPECT_EQ(written->iconFile, "C:\\Q\\quillon.exe");
    EXPECT_EQ(written->iconIndex, 3);
    EXPECT_EQ(written->hotKey, 0x641);
    EXPECT_EQ(written->workingFolder, "C:\\Work");
    EXPECT_EQ(shell.linkObjectsAlive, 0);
}

TEST_F(ShellLinkTest, CreateLinkWithoutFileOrTargetCreatesNothing) {
    EXPECT_FALSE(Create("", "C:\\Q\\quillon.exe"));
    EXPECT_FALSE(Create(kLink, ""));
    EXPECT_TRUE(shell.linkCalls.empty());
    EXPECT_TRUE(files.files.empty());
}

TEST_F(ShellLinkTest, AnyFailingStepStopsCreateLinkWithNothingWritten) {
    for (const char* step : {"SetPath", "SetIconLocation", "SetShowCmd", "SetHotkey",
                             "SetWorkingDirectory", "SetArguments", "SetDescription", "Resolve",
                             "Save"}) {
        shell.failingLinkCall = step;
        shell.linkCalls.clear();
        EXPECT_FALSE(Create()) << step;
        EXPECT_FALSE(files.Exists(kLink)) << step;
        EXPECT_EQ(shell.linkCalls.back().substr(0, std::string_view(step).size()), step);
        EXPECT_EQ(shell.linkObjectsAlive, 0) << step;
    }
}

TEST_F(ShellLinkTest, NoLinkObjectMeansNoLink) {
    shell.linkObjectUnavailable = true;
    EXPECT_FALSE(Create());
    EXPECT_FALSE(link.GetLinkInfo(kLink));
    EXPECT_TRUE(files.files.empty());
}

TEST_F(ShellLinkTest, FreshObjectIsEmpty) {
    std::uint8_t modifier = 9;
    std::uint8_t key = 9;
    link.GetHotKeyInfo(modifier, key);
    EXPECT_EQ(modifier, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(link.ExeName(), "");
    EXPECT_EQ(link.ExeArgs(), "");
    EXPECT_EQ(link.WorkingDir(), "");
    EXPECT_EQ(link.Description(), "");
    EXPECT_EQ(link.IconFile(), "");
    EXPECT_EQ(link.IconIndex(), 0);
    EXPECT_EQ(link.ShowCommand(), 0);
}

TEST_F(ShellLinkTest, GetLinkInfoReadsWhatCreateLinkWrote) {
    ASSERT_TRUE(link.CreateLink("Quillon", kLink, "C:\\Q\\quillon.exe", "C:\\Work", "\"Fax\"", 2,
                                cShellLinkA::MakeHotKey(6, 65), 5));
    cShellLinkA reader(shell);
    shell.linkCalls.clear();
    ASSERT_TRUE(reader.GetLinkInfo(kLink));
    EXPECT_EQ(reader.ExeName(), "C:\\Q\\quillon.exe");
    EXPECT_EQ(reader.ExeArgs(), "\"Fax\"");
    EXPECT_EQ(reader.WorkingDir(), "C:\\Work");
    EXPECT_EQ(reader.Description(), "Quillon");
    EXPECT_EQ(reader.IconFile(), "C:\\Q\\quillon.exe");
    EXPECT_EQ(reader.IconIndex(), 2);
    EXPECT_EQ(reader.ShowCommand(), 5);
    std::uint8_t modifier = 0;
    std::uint8_t key = 0;
    reader.GetHotKeyInfo(modifier, key);
    EXPECT_EQ(modifier, 6);
    EXPECT_EQ(key, 65);
    const std::vector<std::string> expected{
        "Create", "Load(C:\\Users\\ann\\Desktop\\Printer.lnk)", "GetPath(2)", "GetWorkingDirectory",
        "GetArguments", "GetDescription", "GetHotkey", "GetIconLocation", "GetShowCmd"};
    EXPECT_EQ(shell.linkCalls, expected);
}

TEST_F(ShellLinkTest, FailedReadKeepsEarlierNewValuesAndLaterOldOnes) {
    shell.AddLink(kLink, {.target = "C:\\Old\\a.exe", .arguments = "old", .workingFolder = "C:\\Old",
                          .description = "old one", .iconFile = "C:\\Old\\a.exe", .iconIndex = 1,
                          .showCommand = 3, .hotKey = 0x241});
    ASSERT_TRUE(link.GetLinkInfo(kLink));
    const char* second = "C:\\Users\\ann\\Desktop\\Second.lnk";
    shell.AddLink(second, {.target = "C:\\New\\b.exe", .arguments = "new", .workingFolder = "C:\\New",
                           .description = "new one", .iconFile = "C:\\New\\b.exe", .iconIndex = 4,
                           .showCommand = 7, .hotKey = 0x641});
    shell.failingLinkCall = "GetArguments";
    EXPECT_FALSE(link.GetLinkInfo(second));
    EXPECT_EQ(link.ExeName(), "C:\\New\\b.exe");
    EXPECT_EQ(link.WorkingDir(), "C:\\New");
    EXPECT_EQ(link.ExeArgs(), std::string(260, ' '));
    EXPECT_EQ(link.Description(), "old one");
    EXPECT_EQ(link.IconIndex(), 1);
    EXPECT_EQ(link.ShowCommand(), 3);
}

TEST_F(ShellLinkTest, GetLinkInfoOfAMissingOrEmptyNameFails) {
    EXPECT_FALSE(link.GetLinkInfo(""));
    EXPECT_TRUE(shell.linkCalls.empty());
    EXPECT_FALSE(link.GetLinkInfo("C:\\nowhere.lnk"));
    EXPECT_EQ(link.ExeName(), "");
}

TEST_F(ShellLinkTest, SpecialFoldersComeFromTheShellOrAreEmpty) {
    EXPECT_EQ(link.GetSystemFolderPath(77, 0), "C:\\Users\\ann\\Desktop");
    EXPECT_EQ(link.GetSystemFolderPath(77, 0x3FFF), "");
    EXPECT_EQ(WindowsShellFolders::GetSpecialFolderPath(shell, 78, 7),
              "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup");
    EXPECT_EQ(WindowsShellFolders::GetSpecialFolderPath(shell, 78, 999), "");
    EXPECT_EQ(shell.folderOwners, (std::vector<std::uintptr_t>{77, 77, 78, 78}));
}

}  // namespace
}  // namespace quillon::shortcuts
