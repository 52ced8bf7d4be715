#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "wine/fixture.h"

// What only the real system can show of the program's bad-input handling:
// the longest command line Windows passes on, ANSI text through the real
// code page, odd names in the real profile, odd values in the real
// registry, a log that cannot be written, two runs logging at once, and a
// Startup folder holding files that are not shortcuts.
namespace quillon::e2e {
namespace {

using Strings = std::vector<std::string>;

// CreateProcess takes at most 32,767 characters, its NUL included.
constexpr std::size_t kLongestCommandLine = 32766;

std::string LogPath() { return FolderOf(ProgramPath(true)) + "\\QLNDiagnostics.log"; }

// Arguments that make the whole command line ("exe" arguments) as long as
// Windows allows: the text, blanks, then the tail.
std::string LongestArguments(const std::string& text, const std::string& tail) {
    const std::size_t used = ProgramPath().size() + 3 + text.size() + tail.size();
    return text + std::string(kLongestCommandLine - used, ' ') + tail;
}

TEST_F(QuillonTest, LongestCommandLineStillNamesItsPrinter) {
    EXPECT_EQ(RunToEnd(LongestArguments("fax", " /q")), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
}

TEST_F(QuillonTest, LongestCommandLineOfNoiseNamesNothing) {
    const std::string tail = " /nogui";
    const std::size_t length = LongestArguments("", tail).size() - tail.size();
    std::string noise = "x";
    for (std::size_t i = 0; noise.size() < length; ++i) {
        // Printable bytes but the pattern characters and the quote.
        const char c = static_cast<char>(33 + (i * 7919) % 94);
        if (c != '?' && c != '*' && c != '"') noise += c;
    }
    EXPECT_EQ(RunToEnd(noise + tail), 1U);
    EXPECT_EQ(DefaultDevice(), "");
}

TEST_F(QuillonTest, QuotesAndSwitchesAloneOpenTheWindow) {
    for (const char* arguments : {"\"\"", "\"", "\"\"\"\" /nogui", "/q /nogui /delay"}) {
        auto& program = Start(arguments);
        HWND main = program.WaitForWindow("Quillon");
        EXPECT_NE(main, nullptr) << arguments;
        if (main != nullptr) PostClose(main);
        EXPECT_EQ(program.WaitForExit(10s), 0U) << arguments;
    }
    EXPECT_EQ(DefaultDevice(), "");
}

TEST_F(QuillonTest, UnbalancedQuoteStillNamesThePrinter) {
    EXPECT_EQ(RunToEnd("\"HP LaserJet 4 /q"), 0U);
    EXPECT_EQ(DefaultDevice(), "HP LaserJet 4,winspool,LPT1:");
}

TEST_F(QuillonTest, AnsiTextOfTheCodePageMatchesInAnyCase) {
    AddProfilePrinter("Drucker Büro", "winspool,LPT2:,15,45");
    EXPECT_EQ(RunToEnd("\"DRUCKER BÜRO\" /q"), 0U);
    EXPECT_EQ(DefaultDevice(), "Drucker Büro,winspool,LPT2:");
}

struct OddName {
    std::string key;
    std::string value;
    std::string arguments;
    DWORD exitCode;
    std::string device;
};

TEST_F(QuillonTest, OddPrinterNamesAreSetWholeOrNotAtAll) {
    const std::string longName = "L" + std::string(600, 'x');
    const OddName cases[] = {
        {longName, "winspool,Ne01:,15,45", "lxx /q", 0, longName + ",winspool,Ne01:"},
        {"A&B", "winspool,Ne01:,15,45", "a&b /q", 0, "A&B,winspool,Ne01:"},
        {"Say \"hi\"", "winspool,Ne01:,15,45", "say /q", 0, "Say \"hi\",winspool,Ne01:"},
        {"\\\\srv\\A on B", "winspool,Ne02:,15,45", "\"a on b on srv\" /q", 0,
         "\\\\srv\\A on B,winspool,Ne02:"},
        // "Device" could not carry these; nothing is written.
        {"Odd,Name", "winspool,Ne01:,15,45", "odd /q", 2, ""},
        {"NoComma", "winspool", "nocomma /q", 2, ""},
        {"OneComma", "winspool,LPT1:", "onecomma /q", 2, ""},
        {"EmptyValue", "", "emptyvalue /q", 2, ""},
    };
    for (const auto& c : cases) {
        ClearPrinters();
        AddProfilePrinter(c.key, c.value);
        SetDefaultDevice("");
        EXPECT_EQ(RunToEnd(c.arguments), c.exitCode) << c.key.substr(0, 40);
        EXPECT_EQ(DefaultDevice(), c.device) << c.key.substr(0, 40);
    }
}

// Longer than the level-5 record's text buffer, and than what Wine passes
// through its ANSI list-box calls: listed, set and confirmed whole.
TEST_F(QuillonTest, PrinterNameLongerThan511CharactersIsListedSetAndConfirmed) {
    const std::string name = "Long " + std::string(700, 'n');
    AddProfilePrinter(name, "winspool,Ne01:,15,45");
    auto& window = Start("");
    HWND main = window.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    const auto entries = ListEntries(FindControl(main, "ListBox"));
    EXPECT_NE(std::find(entries.begin(), entries.end(), name), entries.end());
    PostClose(main);
    EXPECT_EQ(window.WaitForExit(10s), 0U);

    auto& program = Start("long");
    HWND success = program.WaitForWindow("Success");
    ASSERT_NE(success, nullptr);
    EXPECT_NE(FindControl(success, "Static", "The default printer has been set to " + name + "."),
              nullptr);
    EXPECT_EQ(program.WaitForExit(15s), 0U);
    EXPECT_EQ(DefaultDevice(), name + ",winspool,Ne01:");
}

void SetUserValue(const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "software\\kvo\\quillon", &key), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

struct OddOption {
    const char* label;
    DWORD type;
    std::string bytes;
    const char* firstWindow;
};

TEST_F(QuillonTest, OddStoredOptionsReadAsNothingStoredOrAsTheirNumber) {
    const std::size_t megabyte = 1 << 20;
    const OddOption cases[] = {
        {"dword", REG_DWORD, std::string("\x01\0\0\0", 4), "Quillon Setup"},
        {"empty", REG_SZ, std::string(), "Quillon Setup"},
        {"megabyte after 1", REG_SZ, "1" + std::string(megabyte, ' ') + '\0', "Quillon"},
        {"megabyte of digits", REG_SZ, std::string(megabyte, '9') + '\0', "Quillon Setup"},
        {"above the range", REG_SZ, std::string("4294967297", 11), "Quillon Setup"},
        {"below the range", REG_SZ, std::string("-2147483649", 12), "Quillon Setup"},
    };
    for (const auto& c : cases) {
        ClearOptions();
        SetUserValue("desktop", c.type, c.bytes);
        auto& program = Start("");
        HWND window = program.WaitForWindow(c.firstWindow);
        EXPECT_NE(window, nullptr) << c.label;
        EXPECT_EQ(program.WindowCaptions(), Strings{c.firstWindow}) << c.label;
        if (window != nullptr) PostClose(window);
        EXPECT_EQ(program.WaitForExit(10s), 0U) << c.label;
    }
}

class HostileLog : public QuillonTest {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        Clear();
    }
    void TearDown() override {
        QuillonTest::TearDown();
        Clear();
    }
    static void Clear() {
        SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(LogPath().c_str());
        RemoveDirectoryA(LogPath().c_str());
    }
};

// A folder where the log would be keeps it from being written, as a
// read-only program folder does (and unlike file permissions, whatever
// user the tests run as).
TEST_F(HostileLog, UnwritableLogStillSetsThePrinter) {
    ASSERT_TRUE(CreateDirectoryA(LogPath().c_str(), nullptr));
    EXPECT_EQ(Start("fax /q", true).WaitForExit(30s), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
}

// "YYYY.MM.DD hh.mm.ss " and a text.
bool IsWholeLine(const std::string& line) {
    if (line.size() < 20) return false;
    for (std::size_t i = 0; i < 19; ++i) {
        const bool separator = i == 4 || i == 7 || i == 13 || i == 16;
        const bool blank = i == 10;
        if (separator && line[i] != '.') return false;
        if (blank && line[i] != ' ') return false;
        if (!separator && !blank && (line[i] < '0' || line[i] > '9')) return false;
    }
    return line[19] == ' ';
}

TEST_F(HostileLog, TwoRunsAtOnceLeaveWholeLinesOnly) {
    constexpr int kPrinters = 1500;
    ClearPrinters();
    for (int i = 0; i < kPrinters; ++i) AddProfilePrinter("Printer " + std::to_string(i));
    Process first(ProgramPath(true), "nothing /nogui");
    Process second(ProgramPath(true), "nothing /nogui");
    EXPECT_EQ(first.WaitForExit(120s), 1U);
    EXPECT_EQ(second.WaitForExit(120s), 1U);

    std::map<std::string, int> texts;
    std::size_t broken = 0;
    for (const auto& line : ReadLines(LogPath())) {
        if (IsWholeLine(line)) {
            ++texts[line.substr(20)];
        } else {
            ++broken;
        }
    }
    EXPECT_EQ(broken, 0U);
    EXPECT_EQ(texts["total printers = " + std::to_string(kPrinters)], 2);
    EXPECT_EQ(texts["could not find printer nothing"], 2);
    int printerLines = 0;
    for (const auto& [text, count] : texts) {
        if (text.rfind("  printer ", 0) == 0) {
            EXPECT_EQ(count, 2) << text;
            ++printerLines;
        }
    }
    EXPECT_EQ(printerLines, kPrinters);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

class HostileStartupFolder : public QuillonTest {
protected:
    std::string folder = SpecialFolder(CSIDL_STARTUP);

    void SetUp() override {
        QuillonTest::SetUp();
        ASSERT_FALSE(folder.empty());
        Clear();
    }
    void TearDown() override {
        QuillonTest::TearDown();
        Clear();
    }
    void Clear() {
        for (const auto& name : Links(folder)) DeleteFileA((folder + "\\" + name).c_str());
    }
};

TEST_F(HostileStartupFolder, OnlyTheProgramsOwnShortcutIsDeleted) {
    ASSERT_TRUE(WriteLink(folder + "\\Set default printer to Old.lnk", ProgramPath()));
    // Broken copies of another program's shortcut: deleting one would be
    // wrong whatever part of it can still be read.
    ASSERT_TRUE(WriteLink(folder + "\\Whole.lnk", "C:\\windows\\notepad.exe"));
    const std::string whole = FileBytes(folder + "\\Whole.lnk");
    ASSERT_GT(whole.size(), 0x4CU);
    // The files that are no shortcuts, each named like one of the program's.
    const std::map<std::string, std::string> odd = {
        {"Set default printer to Empty.lnk", ""},
        {"Set default printer to Text.lnk", "quillon.exe fax\r\n"},
        {"Set default printer to Cut.lnk", whole.substr(0, whole.size() / 2)},
        {"Set default printer to Noise.lnk", std::string("\x4C\0\0\0", 4) + std::string(300, '\xA5')},
    };
    for (const auto& [name, bytes] : odd) WriteFile(folder + "\\" + name, bytes);
    DeleteFileA((folder + "\\Whole.lnk").c_str());

    auto& program = Start("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    HWND list = FindControl(main, "ListBox");
    const auto entries = ListEntries(list);
    const auto fax = std::find(entries.begin(), entries.end(), "Fax");
    ASSERT_NE(fax, entries.end());
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(fax - entries.begin()), 0);
    Press(FindControl(main, "Button", "&Add to startup"));
    HWND dialog = program.WaitForWindow("Add To Startup");
    ASSERT_NE(dialog, nullptr);
    HWND user = FindControl(dialog, "Button", "C&urrent User Only");
    ASSERT_NE(user, nullptr);
    Press(user);
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(user); }, 30s));
    Press(FindControl(dialog, "Button", "&OK"));
    HWND box = program.WaitForWindow("Success", 30s);
    ASSERT_NE(box, nullptr) << ::testing::PrintToString(program.WindowCaptions());
    Press(FindControl(box, "Button"));
    PostClose(main);
    EXPECT_EQ(program.WaitForExit(10s), 0U);

    Strings expected{"Set default printer to Fax.lnk"};
    for (const auto& [name, bytes] : odd) expected.push_back(name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Links(folder), expected);
    for (const auto& [name, bytes] : odd) EXPECT_EQ(FileBytes(folder + "\\" + name), bytes) << name;
}

}  // namespace
}  // namespace quillon::e2e
