#include "win32/win32_system.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "win32/program_arguments.h"
#include "test_support.h"

namespace quillon::platform::win32 {
namespace {

using win32_tests::ScopedEnvironment;

TEST(ProgramArgumentsTest, SkipsTheProgramNameAndTheBlanksAfterIt) {
    struct Case {
        const char* commandLine;
        const char* arguments;
    };
    const Case cases[] = {
        {R"("C:\Program Files\Quillon\quillon.exe" /q "Laser 4")", R"(/q "Laser 4")"},
        {"quillon.exe   Laser 4  ", "Laser 4  "},
        {"quillon.exe\t \tFax", "Fax"},
        {R"(C:\"Program Files"\quillon.exe Fax)", "Fax"},
        {R"("C:\quillon.exe"Fax /q)", "/q"},
        {R"("C:\Program Files\quillon.exe)", ""},
        {R"("C:\Program Files\quillon.exe" )", ""},
        {"quillon.exe", ""},
        {"", ""},
        {"   Fax", "Fax"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramArguments(c.commandLine), c.arguments) << c.commandLine;
    }
}

// The helper writes what CommandLine returns for the command line it was
// started with.
TEST(Win32SystemTest, CommandLineOfARealProcess) {
    win32_tests::TempFolder folder;
    const std::string report = folder / "cmdline.txt";
    ScopedEnvironment mode("QUILLON_CHILD_MODE", "cmdline");
    ScopedEnvironment output("QUILLON_CHILD_OUTPUT", report);
    struct Case {
        std::string commandLine;
        std::string expected;
    };
    const Case cases[] = {
        {"\"" + win32_tests::ChildPath() + "\"  /q \"Laser 4 on prtsrv\"", "/q \"Laser 4 on prtsrv\""},
        {"quillon.exe Fax", "Fax"},
        {"\"C:\\Program Files\\Quillon\\quillon.exe\"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        DeleteFileA(report.c_str());
        ASSERT_EQ(win32_tests::RunChild(c.commandLine), 0u);
        EXPECT_EQ(win32_tests::ReadWholeFile(report), c.expected);
    }
}

TEST(Win32SystemTest, ExecutableFolderAndNameWithoutExtension) {
    win32_tests::TempFolder folder;
    const std::string report = folder / "identity.txt";
    ScopedEnvironment mode("QUILLON_CHILD_MODE", "identity");
    ScopedEnvironment output("QUILLON_CHILD_OUTPUT", report);
    ASSERT_EQ(win32_tests::RunChild("child"), 0u);

    const std::string childPath = win32_tests::ChildPath();
    const std::string expectedFolder = childPath.substr(0, childPath.rfind('\\'));
    EXPECT_EQ(win32_tests::ReadWholeFile(report), expectedFolder + "\nquillon_win32_child");
}

TEST(Win32SystemTest, EnvironmentVariables) {
    Win32System system;
    {
        ScopedEnvironment variable("QUILLON_TEST_VARIABLE", "C:\\Users\\Ann Lee\\AppData");
        EXPECT_EQ(system.EnvironmentVariable("QUILLON_TEST_VARIABLE"), "C:\\Users\\Ann Lee\\AppData");
        EXPECT_EQ(system.EnvironmentVariable("quillon_test_variable"), "C:\\Users\\Ann Lee\\AppData");
    }
    EXPECT_EQ(system.EnvironmentVariable("QUILLON_TEST_VARIABLE"), "");
    const std::string longValue(5000, 'v');
    ScopedEnvironment longVariable("QUILLON_TEST_VARIABLE", longValue);
    EXPECT_EQ(system.EnvironmentVariable("QUILLON_TEST_VARIABLE"), longValue);
    EXPECT_EQ(system.EnvironmentVariable(""), "");
}

TEST(Win32SystemTest, MonotonicSecondsCountRealTimeAndNeverRunBackwards) {
    Win32System system;
    double previous = system.MonotonicSeconds();
    const double start = previous;
    for (int i = 0; i < 10000; ++i) {
        const double now = system.MonotonicSeconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
    Sleep(200);
    const double waited = system.MonotonicSeconds() - start;
    EXPECT_GE(waited, 0.19);
    EXPECT_LT(waited, 5.0);
}

std::tuple<int, int, int, int, int, int> Fields(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

TEST(Win32SystemTest, NowIsTheLocalTime) {
    Win32System system;
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const auto now = system.Now();
    SYSTEMTIME after{};
    GetLocalTime(&after);
    const std::tuple<int, int, int, int, int, int> fields{now.year,  now.month,  now.day,
                                                          now.hour,  now.minute, now.second};
    EXPECT_LE(Fields(before), fields);
    EXPECT_LE(fields, Fields(after));
}

TEST(Win32SystemTest, EndEndsTheProcessWithItsCode) {
    ScopedEnvironment mode("QUILLON_CHILD_MODE", "end");
    EXPECT_EQ(win32_tests::RunChild("child"), 42u);
}

// Wine reports the Windows version its registry names; the helper starts
// afresh under each setting and returns platform * 100 + major version.
TEST(Win32SystemTest, VersionFollowsWinesVersionSetting) {
    if (!win32_tests::RunningUnderWine()) GTEST_SKIP() << "needs Wine's version setting";
    win32_tests::RegistryValueRestorer restore(HKEY_CURRENT_USER, "Software\\Wine", "Version");
    ScopedEnvironment mode("QUILLON_CHILD_MODE", "version");
    struct Case {
        const char* setting;
        DWORD expected;
    };
    const Case cases[] = {{"win98", 104}, {"winxp64", 205}, {"win7", 206}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine", "Version", REG_SZ, c.setting,
                                  static_cast<DWORD>(std::string(c.setting).size() + 1)),
                  ERROR_SUCCESS);
        EXPECT_EQ(win32_tests::RunChild("child"), c.expected);
    }
    // Windows manages the default printer from Windows 10 1511, build 10586,
    // on; the tests of that rule need Wine's Windows 10 to be as new.
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine", "Version", REG_SZ, "win10", 6),
              ERROR_SUCCESS);
    EXPECT_EQ(win32_tests::RunChild("child"), 210u);
    ScopedEnvironment build("QUILLON_CHILD_MODE", "build");
    EXPECT_GE(win32_tests::RunChild("child"), 10586u);
}

}  // namespace
}  // namespace quillon::platform::win32
