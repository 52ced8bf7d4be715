#include "wine/fixture.h"

namespace quillon::e2e {
namespace {

std::vector<std::string> WithoutTimeStamps(const std::vector<std::string>& lines) {
    std::vector<std::string> texts;
    for (const auto& line : lines) {
        EXPECT_GE(line.size(), 20U);
        // "YYYY.MM.DD hh.mm.ss " before every text.
        EXPECT_EQ(line[4], '.');
        EXPECT_EQ(line[7], '.');
        EXPECT_EQ(line[10], ' ');
        EXPECT_EQ(line[13], '.');
        EXPECT_EQ(line[16], '.');
        EXPECT_EQ(line[19], ' ');
        texts.push_back(line.substr(20));
    }
    return texts;
}

class Diagnostics : public QuillonTest {
protected:
    std::string LogPath(bool diagnostics) {
        return FolderOf(ProgramPath(diagnostics)) + "\\QLNDiagnostics.log";
    }
    void SetUp() override {
        QuillonTest::SetUp();
        DeleteFileA(LogPath(true).c_str());
        DeleteFileA(LogPath(false).c_str());
    }
};

TEST_F(Diagnostics, CommandLineRunLogsEveryStepInOrder) {
    SetDefaultDevice("HP LaserJet 4,winspool,LPT1:");
    auto& program = Start("\"Fax\" /q", true);
    ASSERT_EQ(program.WaitForExit(30s), 0U);
    const auto lines = WithoutTimeStamps(ReadLines(LogPath(true)));
    const std::vector<std::string> expected{
        "started with switches: \"Fax\" /q",
        "main gui loaded",
        "total printers = 4",
        "  printer 1 = Fax",
        "  printer 2 = HP DeskJet 500",
        "  printer 3 = HP LaserJet 4",
        "  printer 4 = Plotter on srv",
        "attempt to set default to fax",
        "found printer fax - setting to default",
        "default printer set to Fax",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(Diagnostics, NamesOutsideAsciiAreLoggedWhole) {
    AddProfilePrinter("打印机 3楼", "winspool,LPT3:,15,45");
    ASSERT_EQ(Start("打印机* /q", true).WaitForExit(30s), 0U);
    const auto lines = WithoutTimeStamps(ReadLines(LogPath(true)));
    for (const char* line : {"started with switches: 打印机* /q", "  printer 5 = 打印机 3楼",
                             "found printer 打印机* - setting to default",
                             "default printer set to 打印机 3楼"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
}

TEST_F(Diagnostics, TwoRunsAppendToTheSameLog) {
    ASSERT_EQ(Start("nothing /nogui", true).WaitForExit(30s), 1U);
    ASSERT_EQ(Start("nothing /nogui", true).WaitForExit(30s), 1U);
    const auto lines = WithoutTimeStamps(ReadLines(LogPath(true)));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "could not find printer nothing"), 2);
    EXPECT_EQ(lines.back(), "could not find printer nothing");
}

TEST_F(Diagnostics, MissingSystemLibraryEndsTheRunWithTwoAndALine) {
    SetWineLibraryPreference("winspool.drv", "");  // not there at all
    const auto code = Start("", true).WaitForExit(30s);
    SetWineLibraryPreference({}, nullptr);
    EXPECT_EQ(code, 2U);
    const auto lines = WithoutTimeStamps(ReadLines(LogPath(true)));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "system library or function missing: winspool.drv");
}

TEST_F(Diagnostics, NormalBuildWritesNoLog) {
    ASSERT_EQ(RunToEnd("nothing /nogui"), 1U);
    EXPECT_EQ(GetFileAttributesA(LogPath(false).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillon::e2e
