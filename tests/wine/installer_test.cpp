#include <windows.h>
#include <msi.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "version.h"
#include "wine/fixture.h"
#include "wine/link_reader.h"

// The installer as software distribution runs it: silently, per machine,
// then a newer one over it, then removed.
namespace quillon::e2e {
namespace {

struct ProgramEntry {
    std::string productCode, version, publisher;
};

// The program's entries in Programs and Features.
std::vector<ProgramEntry> ProgramEntries() {
    std::vector<ProgramEntry> entries;
    HKEY uninstall = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ | KEY_WOW64_64KEY, &uninstall) != ERROR_SUCCESS) {
        return entries;
    }
    char code[256];
    for (DWORD i = 0, size = sizeof code;
         RegEnumKeyExA(uninstall, i, code, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof code) {
        const auto value = [&](const char* name) {
            char text[512] = {};
            DWORD length = sizeof text;
            RegGetValueA(uninstall, code, name, RRF_RT_REG_SZ, nullptr, text, &length);
            return std::string(text);
        };
        if (value("DisplayName") == QUILLON_PRODUCT_NAME) {
            entries.push_back({code, value("DisplayVersion"), value("Publisher")});
        }
    }
    RegCloseKey(uninstall);
    return entries;
}

std::string ProductIcon(const std::string& productCode) {
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (MsiGetProductInfoA(productCode.c_str(), INSTALLPROPERTY_PRODUCTICON, path, &size) != ERROR_SUCCESS) {
        return {};
    }
    return path;
}

class InstallerTest : public QuillonTest {
protected:
    std::string msi = PathFromEnvironment("QUILLON_MSI");
    std::string nextMsi = PathFromEnvironment("QUILLON_NEXT_MSI");
    std::string folder = SpecialFolder(CSIDL_PROGRAM_FILES) + "\\Quillon";
    std::string exe = folder + "\\quillon.exe";
    // A Startup entry of the user's, as the installed program makes it.
    std::string startupEntry = SpecialFolder(CSIDL_STARTUP) + "\\Set default printer to Fax.lnk";
    // The program's source in the Application log.
    std::string eventSource = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Quillon";

    void TearDown() override {
        QuillonTest::TearDown();
        Msiexec("/x \"" + nextMsi + "\" /qn");
        Msiexec("/x \"" + msi + "\" /qn");
        DeleteFileA(startupEntry.c_str());
    }

    static DWORD Msiexec(const std::string& arguments) {
        Process msiexec(SpecialFolder(CSIDL_SYSTEM) + "\\msiexec.exe", arguments);
        return msiexec.WaitForExit(120s).value_or(99);
    }

    // Windows puts a per-machine package's shortcut among all users'
    // programs; Wine's installer puts it among the current user's.
    static std::string StartMenuShortcut() {
        for (const int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
            const std::string link = SpecialFolder(csidl) + "\\Quillon.lnk";
            if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return link;
        }
        return {};
    }
};

TEST_F(InstallerTest, InstallsUpgradesInPlaceAndUninstallsOnlyWhatItPutThere) {
    ASSERT_EQ(Msiexec("/i \"" + msi + "\" /qn"), 0U);
    EXPECT_EQ(FileBytes(exe), FileBytes(ProgramPath()));
    auto entries = ProgramEntries();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].version, QUILLON_VERSION_TEXT);
    EXPECT_EQ(entries[0].publisher, QUILLON_COMPANY_NAME);
    const std::string icon = ProductIcon(entries[0].productCode);
    EXPECT_EQ(FileBytes(icon), FileBytes(PathFromEnvironment("QUILLON_ICON"))) << icon;
    EXPECT_EQ(MachineString(eventSource, "EventMessageFile"), exe);
    EXPECT_EQ(MachineString("software\\kvo\\quillon", "program"), exe);  // what the tasks start

    const std::string link = StartMenuShortcut();
    ASSERT_FALSE(link.empty());
    const auto info = RunLnkinfo(link);
    ASSERT_TRUE(info);
    EXPECT_EQ(LnkinfoField(*info, "Local path"), exe) << *info;
    EXPECT_FALSE(LnkinfoField(*info, "Command line arguments")) << "opens the window";
    EXPECT_EQ(LnkinfoField(*info, "Icon location"), icon) << *info;

    EXPECT_EQ(Process(exe, "\"HP LaserJet 4\" /q").WaitForExit(30s), 0U);
    EXPECT_EQ(DefaultDevice(), "HP LaserJet 4,winspool,LPT1:");
    ASSERT_TRUE(WriteLink(startupEntry, exe));

    ASSERT_EQ(Msiexec("/i \"" + nextMsi + "\" /qn"), 0U);
    entries = ProgramEntries();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].version, std::getenv("QUILLON_NEXT_VERSION"));
    EXPECT_EQ(FileBytes(exe), FileBytes(ProgramPath(true)));
    // An older package does not replace a newer one.
    EXPECT_EQ(Msiexec("/i \"" + msi + "\" /qn"), static_cast<DWORD>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(ProgramEntries().size(), 1U);

    ASSERT_EQ(Msiexec("/x \"" + nextMsi + "\" /qn"), 0U);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(StartMenuShortcut(), "");
    EXPECT_EQ(ProgramEntries().size(), 0U);
    HKEY source = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, eventSource.c_str(), 0, KEY_READ, &source), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(StoredOption(HKEY_CURRENT_USER, "desktop"), "1");
    EXPECT_NE(GetFileAttributesA(startupEntry.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillon::e2e
