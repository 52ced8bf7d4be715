#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "wine/fixture.h"

namespace quillon::e2e {
namespace {

using Strings = std::vector<std::string>;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The names of the files in a folder that match the pattern, in lower case.
Strings FilesIn(const std::string& folder, const char* pattern) {
    Strings names;
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(Lower(entry.cFileName));
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

// A copy of quillon.exe in a folder of its own with a library planted under
// the name of each system library the program loads on some path.
class PlantedLibraries : public QuillonTest {
protected:
    void SetUp() override {
        QuillonTest::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "quillon-planted";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (folder_ + "\\quillon.exe").c_str(), FALSE));
        // Built from tests/wine/planted, each under the name of a system
        // library; loaded, it leaves "<its name>.loaded".
        const std::string planted = PathFromEnvironment("QUILLON_PLANTED_LIBRARIES");
        for (const auto& name : FilesIn(planted, "*")) {
            ASSERT_TRUE(CopyFileA((planted + "\\" + name).c_str(),
                                  (folder_ + "\\" + name).c_str(), FALSE))
                << name;
            // Wine takes its own library before a file of the same name
            // unless told otherwise; Windows takes whichever file its
            // search finds first.
            const auto dll = name.rfind(".dll");
            SetWineLibraryPreference(name.substr(0, dll), "native,builtin");
        }
        ASSERT_FALSE(FilesIn(planted, "*").empty());
    }

    void TearDown() override {
        program_.reset();
        SetWineLibraryPreference({}, nullptr);
        for (const auto& name : FilesIn(folder_, "*")) DeleteFileA((folder_ + "\\" + name).c_str());
        RemoveDirectoryA(folder_.c_str());
        QuillonTest::TearDown();
    }

    Process& StartCopy(const std::string& arguments) {
        program_ = std::make_unique<Process>(folder_ + "\\quillon.exe", arguments);
        return *program_;
    }

    // Presses a button of the window and waits until the window has gone.
    static bool Dismiss(HWND window, std::string_view button) {
        if (window == nullptr) return false;
        Press(FindControl(window, "Button", button));
        return WaitUntil([&] { return !IsWindow(window); }, 10s);
    }

    // The marks of the planted libraries that were loaded.
    Strings Loaded() const { return FilesIn(folder_, "*.loaded"); }

    std::string folder_;
};

TEST_F(PlantedLibraries, CommandLineRunLoadsNone) {
    EXPECT_EQ(StartCopy("fax /q").WaitForExit(30s), 0U);
    EXPECT_EQ(DefaultDevice(), "Fax,winspool,FAX:");
    EXPECT_EQ(Loaded(), Strings{});
}

// Every window path in one run: shortcut, about window, then setting the
// default through the success window.
TEST_F(PlantedLibraries, WindowPathsLoadNone) {
    auto& program = StartCopy("");
    HWND main = program.WaitForWindow("Quillon");
    ASSERT_NE(main, nullptr);
    Press(FindControl(main, "Button", "&Create desktop shortcut"));
    ASSERT_TRUE(Dismiss(WaitForDialog(program.Id(), "Success"), "OK"));
    EXPECT_TRUE(DeleteFileA(
        (SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Set default printer to Fax.lnk").c_str()));
    Press(FindControl(main, "Button", "A&bout"));
    ASSERT_TRUE(Dismiss(program.WaitForWindow("About Quillon"), "OK"));
    Press(FindControl(main, "Button", "&Set as default"));
    ASSERT_TRUE(Dismiss(program.WaitForWindow("Success"), "&OK"));
    EXPECT_EQ(program.WaitForExit(10s), 0U);
    EXPECT_EQ(Loaded(), Strings{});
}

TEST_F(PlantedLibraries, NinetyEightFamilySpoolerPathLoadsNone) {
    SetWineVersion("win98");
    auto& program = StartCopy("fax");
    HWND box = program.WaitForWindow("Quillon", 20s);
    ASSERT_NE(box, nullptr) << "the spooler's answer";
    Press(FindControl(box, "Button"));
    EXPECT_EQ(program.WaitForExit(20s), 2U);
    EXPECT_EQ(Loaded(), Strings{});
}

// The libraries quillon.exe imports are loaded before any of its code runs,
// so only those the system always takes from its own folder may be among
// them; every other library is loaded on first use.
TEST(ImportTable, NamesOnlyLibrariesTheSystemTakesFromItsOwnFolder) {
    HMODULE image = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    // The handle of an image mapped as a resource has its low bits set.
    const auto* base =
        reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const auto* entry =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    Strings imported;
    for (; directory.VirtualAddress != 0 && entry->Name != 0; ++entry) {
        imported.push_back(Lower(reinterpret_cast<const char*>(base + entry->Name)));
    }
    FreeLibrary(image);
    ASSERT_FALSE(imported.empty());
    const Strings allowed{"advapi32.dll", "kernel32.dll", "msvcrt.dll"};
    Strings others;
    std::copy_if(imported.begin(), imported.end(), std::back_inserter(others),
                 [&](const std::string& name) {
                     return std::find(allowed.begin(), allowed.end(), name) == allowed.end();
                 });
    EXPECT_EQ(others, Strings{});
}

}  // namespace
}  // namespace quillon::e2e
