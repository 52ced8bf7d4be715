#include "win32/win32_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace quillon::platform::win32 {
namespace {

using win32_tests::ReadWholeFile;
using win32_tests::TempFolder;

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

void CreateWithAttributes(const std::string& path, DWORD attributes) {
    unique_file file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes,
                                 nullptr));
    ASSERT_TRUE(file) << path;
}

TEST(Win32FilesTest, AppendCreatesTheFileThenAddsToItsEnd) {
    TempFolder folder;
    Win32Files files;
    const std::string log = folder / "QLNDiagnostics.log";
    ASSERT_TRUE(files.Append(log, "2026.12.06 13.05.09 first\r\n"));
    ASSERT_TRUE(files.Append(log, "2026.12.06 13.05.10 \r\n"));
    ASSERT_TRUE(files.Append(log, ""));
    EXPECT_EQ(ReadWholeFile(log), "2026.12.06 13.05.09 first\r\n2026.12.06 13.05.10 \r\n");
}

TEST(Win32FilesTest, AppendFailsWhereTheFileCannotBeMade) {
    TempFolder folder;
    Win32Files files;
    EXPECT_FALSE(files.Append(folder / "missing\\QLNDiagnostics.log", "line\r\n"));
    // A folder of that name is not a file.
    EXPECT_FALSE(files.Append(folder.path(), "line\r\n"));
}

// Two processes that log at the same time must leave every line whole.
TEST(Win32FilesTest, TwoProcessesAppendingAtOnceInterleaveWholeLines) {
    TempFolder folder;
    const std::string log = folder / "shared.log";
    constexpr int kLines = 500;
    win32_tests::ScopedEnvironment mode("QUILLON_CHILD_MODE", "append");
    win32_tests::ScopedEnvironment output("QUILLON_CHILD_OUTPUT", log);
    const std::string gateName = "QuillonAppendGate" + std::to_string(GetCurrentProcessId());
    win32_tests::ScopedEnvironment gateVariable("QUILLON_CHILD_GATE", gateName);
    const unique_handle gate(CreateEventA(nullptr, TRUE, FALSE, gateName.c_str()));
    ASSERT_TRUE(gate);
    const auto first = win32_tests::StartChild("child A " + std::to_string(kLines));
    const auto second = win32_tests::StartChild("child B " + std::to_string(kLines));
    ASSERT_TRUE(first && second);
    SetEvent(gate.get());
    EXPECT_EQ(win32_tests::WaitChild(first), 0u);
    EXPECT_EQ(win32_tests::WaitChild(second), 0u);

    std::istringstream content(ReadWholeFile(log));
    std::set<std::string> seen;
    std::string line;
    int count = 0;
    while (std::getline(content, line)) {
        ++count;
        ASSERT_FALSE(line.empty()) << "line " << count;
        ASSERT_EQ(line.back(), '\r') << line;
        const char tag = line[0];
        ASSERT_TRUE(tag == 'A' || tag == 'B') << line;
        const auto number = line.substr(2, line.find(' ', 2) - 2);
        EXPECT_EQ(line, std::string(1, tag) + " " + number + " " + std::string(40, tag) + "\r");
        EXPECT_TRUE(seen.insert(line).second) << "twice: " << line;
    }
    EXPECT_EQ(count, 2 * kLines);
}

TEST(Win32FilesTest, ExistsOnlyForFiles) {
    TempFolder folder;
    Win32Files files;
    ASSERT_TRUE(files.Append(folder / "MSINFO32.EXE", "x"));
    EXPECT_TRUE(files.Exists(folder / "MSINFO32.EXE"));
    EXPECT_TRUE(files.Exists(folder / "msinfo32.exe"));
    EXPECT_FALSE(files.Exists(folder / "other.exe"));
    EXPECT_FALSE(files.Exists(folder.path()));
}

class Win32FilesListTest : public ::testing::Test {
protected:
    TempFolder folder;
    Win32Files files;

    void SetUp() override {
        for (const char* name : {"Set default printer to Fax.lnk", "b.LNK", "notes.txt", "a.txt"}) {
            ASSERT_TRUE(files.Append(folder / name, "x"));
        }
        CreateWithAttributes(folder / "hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
        CreateWithAttributes(folder / "system.lnk", FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(CreateDirectoryA((folder / "folder.lnk").c_str(), nullptr));
    }
};

TEST_F(Win32FilesListTest, ListsMatchingFilesByPattern) {
    struct Case {
        const char* pattern;
        bool includeHidden;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"*.lnk", false, {"Set default printer to Fax.lnk", "b.LNK"}},
        {"*.lnk", true, {"Set default printer to Fax.lnk", "b.LNK", "hidden.lnk", "system.lnk"}},
        {"?.txt", false, {"a.txt"}},
        {"SET DEFAULT*", false, {"Set default printer to Fax.lnk"}},
        {"*", false, {"Set default printer to Fax.lnk", "a.txt", "b.LNK", "notes.txt"}},
        {"*.doc", false, {}},
        {"missing\\*.lnk", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + (c.includeHidden ? " with hidden" : ""));
        EXPECT_EQ(Sorted(files.List(folder / c.pattern, c.includeHidden)), Sorted(c.expected));
    }
}

TEST_F(Win32FilesListTest, DeleteRemovesOneFileAndReportsWhatItDid) {
    EXPECT_TRUE(files.Delete(folder / "b.LNK"));
    EXPECT_FALSE(files.Exists(folder / "b.LNK"));
    EXPECT_FALSE(files.Delete(folder / "b.LNK"));
    EXPECT_FALSE(files.Delete(folder / "folder.lnk"));
    EXPECT_EQ(Sorted(files.List(folder / "*.lnk", false)),
              std::vector<std::string>{"Set default printer to Fax.lnk"});
}

}  // namespace
}  // namespace quillon::platform::win32
