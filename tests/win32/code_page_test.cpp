#include "win32/win32_code_page.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace quillon::platform::win32 {
namespace {

// This test program has no manifest of its own, so the system's code page
// is in force: the Western one under Wine here.
TEST(Win32CodePageTest, LowerCasesTheWesternPageAsTheSystemDoes) {
    if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    const Win32CodePage page;
    EXPECT_EQ(page.Kind(), PageKind::SingleByte);
    // S and Z with caron, OE and Y with diaeresis lie outside Latin-1.
    EXPECT_EQ(page.Lower("\x8AKODA \x8E\x8C\x9F \xC0\xC9\xDE \xD7 x"), "\x9Akoda \x9E\x9C\xFF \xE0\xE9\xFE \xD7 x");
    EXPECT_EQ(LastBackslash("C:\\a\\b"), 4U);
}

}  // namespace
}  // namespace quillon::platform::win32
