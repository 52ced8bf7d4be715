#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "base/run_events.h"
#include "win32/unique_handle.h"
#include "resource.h"
#include "version.h"

namespace quillon::win32_tests {
namespace {

using platform::win32::unique_hbitmap;
using platform::win32::unique_hicon;
using platform::win32::unique_hmodule;
using unique_hdc = platform::win32::unique_any<platform::win32::close_traits<HDC, &DeleteDC>>;

// quillon.exe loaded as data, so that its resources can be read without
// running it.
class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("QUILLON_EXE");
        ASSERT_NE(path, nullptr) << "QUILLON_EXE names the program under test";
        program_.reset(LoadLibraryExA(path, nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(program_) << path;
    }

    // The bytes of one resource; empty when the program has none such.
    std::string_view Resource(int id, LPCSTR type) const {
        HRSRC found = FindResourceA(program_.get(), MAKEINTRESOURCEA(id), type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(program_.get(), found);
        if (loaded == nullptr) return {};
        return {static_cast<const char*>(LockResource(loaded)), SizeofResource(program_.get(), found)};
    }

    unique_hmodule program_;
};

// The text values of a version resource by name, and its fixed part. The
// resource is a tree of nodes: length, value length, type (1 for text, whose
// value length counts characters), a UTF-16 key, then the value and the
// children, each starting on a 4-byte boundary.
struct VersionResource {
    std::map<std::string, std::string> strings;
    VS_FIXEDFILEINFO fixed{};
};

std::size_t Aligned(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (; *text != L'\0'; ++text) result += static_cast<char>(*text);
    return result;
}

void ReadVersionNode(std::string_view node, VersionResource& out) {
    WORD header[3];
    ASSERT_GE(node.size(), sizeof header);
    std::memcpy(header, node.data(), sizeof header);
    const WORD length = header[0], valueLength = header[1], type = header[2];
    ASSERT_GE(node.size(), length);

    const auto* key = reinterpret_cast<const wchar_t*>(node.data() + sizeof header);
    std::size_t offset = Aligned(sizeof header + (std::wcslen(key) + 1) * sizeof(wchar_t));
    const std::size_t valueBytes = type == 1 ? valueLength * sizeof(wchar_t) : valueLength;
    if (type == 1 && valueLength > 0) {
        out.strings[Narrow(key)] = Narrow(reinterpret_cast<const wchar_t*>(node.data() + offset));
    } else if (type == 0 && valueBytes == sizeof(VS_FIXEDFILEINFO)) {
        std::memcpy(&out.fixed, node.data() + offset, sizeof out.fixed);
    }
    offset = Aligned(offset + valueBytes);
    while (offset + sizeof header <= length) {
        WORD childLength;
        std::memcpy(&childLength, node.data() + offset, sizeof childLength);
        ASSERT_GT(childLength, 0);
        ReadVersionNode(node.substr(offset, childLength), out);
        offset = Aligned(offset + childLength);
    }
}

TEST_F(ProgramResources, VersionInformationNamesTheProgramAndItsVersion) {
    const std::string_view block = Resource(VS_VERSION_INFO, RT_VERSION);
    ASSERT_FALSE(block.empty());
    VersionResource version;
    ReadVersionNode(block, version);

    EXPECT_EQ(version.fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(version.fixed.dwFileVersionMS, MAKELONG(7, 1));
    EXPECT_EQ(version.fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(version.fixed.dwProductVersionMS, MAKELONG(7, 1));
    EXPECT_EQ(version.fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(version.fixed.dwFileType, static_cast<DWORD>(VFT_APP));

    const std::map<std::string, std::string> expected = {
        {"ProductName", "Quillon"},
        {"FileDescription", "Quillon Utility"},
        {"InternalName", "Quillon"},
        {"FileVersion", "1.7.0"},
        {"ProductVersion", "1.7.0"},
        {"OriginalFilename", "quillon.exe"},
        {"CompanyName", QUILLON_COMPANY_NAME},
        {"LegalCopyright", QUILLON_LEGAL_COPYRIGHT},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(version.strings[name], value) << name;
    }
}

TEST_F(ProgramResources, IconHoldsPalettedImagesForOldSystemsAndAlphaImagesForHighDpi) {
    // The group directory: a 6-byte header, then 14 bytes per image with the
    // width first (0 for 256), the bits per pixel at offset 6 and the
    // image's own resource at offset 12.
    const std::string_view group = Resource(IDI_QUILLON, RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    WORD count;
    std::memcpy(&count, group.data() + 4, sizeof count);
    ASSERT_EQ(group.size(), 6u + 14u * count);

    std::set<std::pair<int, int>> images;
    for (WORD n = 0; n < count; ++n) {
        const char* entry = group.data() + 6 + 14 * n;
        WORD bits, id;
        std::memcpy(&bits, entry + 6, sizeof bits);
        std::memcpy(&id, entry + 12, sizeof id);
        EXPECT_EQ(entry[0], entry[1]) << "square image " << n;
        const int size = entry[0] == 0 ? 256 : static_cast<unsigned char>(entry[0]);
        images.emplace(size, bits);
        // Only the largest is a PNG: systems before Vista read bitmaps only.
        EXPECT_EQ(Resource(id, RT_ICON).starts_with("\x89PNG"), size == 256) << size;
    }
    const std::set<std::pair<int, int>> expected = {
        {16, 4}, {32, 4}, {48, 4}, {16, 8}, {32, 8}, {48, 8},
        {16, 32}, {20, 32}, {24, 32}, {32, 32}, {40, 32}, {48, 32}, {64, 32}, {256, 32}};
    EXPECT_EQ(images, expected);
}

// The icon as Windows draws it at one size, over magenta, so that the
// transparent pixels show.
class DrawnIcon {
public:
    DrawnIcon(HMODULE program, int size) : size_(size) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size;
        info.bmiHeader.biHeight = -size;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc_.reset(CreateCompatibleDC(nullptr));
        icon_.reset(static_cast<HICON>(LoadImageA(program, MAKEINTRESOURCEA(IDI_QUILLON), IMAGE_ICON,
                                                  size, size, LR_DEFAULTCOLOR)));
        if (!bitmap_ || !dc_ || !icon_) return;
        pixels_ = static_cast<DWORD*>(bits);
        SelectObject(dc_.get(), bitmap_.get());
        std::fill(pixels_, pixels_ + size * size, kMagenta);
        drawn_ = DrawIconEx(dc_.get(), 0, 0, icon_.get(), size, size, 0, nullptr, DI_NORMAL) != 0;
        GdiFlush();
    }

    bool Drawn() const { return drawn_; }
    // 0x00RRGGBB.
    DWORD At(int x, int y) const { return pixels_[y * size_ + x]; }

    static constexpr DWORD kMagenta = 0x00FF00FF;

private:
    int size_;
    unique_hbitmap bitmap_;
    unique_hdc dc_;
    unique_hicon icon_;
    DWORD* pixels_ = nullptr;
    bool drawn_ = false;
};

bool IsGrey(DWORD rgb, int darkest, int lightest) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return std::abs(r - g) <= 8 && std::abs(g - b) <= 8 && r >= darkest && r <= lightest;
}

// One pixel of each part of the picture, per size: the empty corner, the
// sheet, the printer's front and the badge. A mask or a picture upside
// down, or an image missing, moves them.
struct IconProbe {
    int size;
    POINT sheet, front, badge;
};

TEST_F(ProgramResources, IconDrawsAPrinterWithABadgeOnATransparentGround) {
    const IconProbe probes[] = {
        {16, {6, 1}, {2, 9}, {9, 11}},
        {32, {10, 3}, {3, 20}, {23, 21}},
        {48, {20, 4}, {5, 30}, {35, 32}},
        {20, {7, 2}, {3, 11}, {15, 13}},
        {24, {8, 2}, {4, 13}, {17, 16}},
        {40, {16, 3}, {4, 25}, {29, 26}},
        {64, {26, 5}, {6, 40}, {46, 42}},
        {256, {106, 21}, {26, 160}, {186, 170}},
    };
    for (const auto& probe : probes) {
        SCOPED_TRACE(probe.size);
        DrawnIcon icon(program_.get(), probe.size);
        ASSERT_TRUE(icon.Drawn());
        EXPECT_EQ(icon.At(0, 0), DrawnIcon::kMagenta) << "the top left corner is transparent";
        EXPECT_EQ(icon.At(probe.size - 1, 0), DrawnIcon::kMagenta) << "so is the top right one";
        EXPECT_TRUE(IsGrey(icon.At(probe.sheet.x, probe.sheet.y), 0xE8, 0xFF)) << std::hex
            << icon.At(probe.sheet.x, probe.sheet.y);
        EXPECT_TRUE(IsGrey(icon.At(probe.front.x, probe.front.y), 0x80, 0xD0)) << std::hex
            << icon.At(probe.front.x, probe.front.y);
        EXPECT_TRUE(IsGrey(icon.At(probe.badge.x, probe.badge.y), 0x00, 0x30)) << std::hex
            << icon.At(probe.badge.x, probe.badge.y);
    }
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsSixAndPerMonitorScaling) {
    const std::string_view manifest = Resource(1, RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    for (std::string_view wanted :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          ">PerMonitorV2, PerMonitor<",
          ">true/pm<", "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(wanted), std::string_view::npos) << wanted;
    }
}

// Event Viewer reads an event's description from the program's message
// table by the event's ID and fills in the event's strings.
TEST_F(ProgramResources, MessageTableDescribesEveryEventWithItsStrings) {
    using events::EventId;
    const std::pair<EventId, int> described[] = {
        {EventId::NetworkSwitched, 3}, {EventId::PrinterNotInstalled, 1}, {EventId::NetworkPrinterNotInstalled, 3},
        {EventId::NothingSet, 1},      {EventId::DefaultNotSet, 3},       {EventId::TaskNotRegistered, 3},
        {EventId::TaskNotRemoved, 3},  {EventId::TaskProgramChangeable, 3}, {EventId::TasksNotRemoved, 2}};
    for (const auto& [id, count] : described) {
        const char* strings[] = {"<1>", "<2>", "<3>", "<4>"};
        DWORD_PTR arguments[4];
        for (int n = 0; n < 4; ++n) arguments[n] = reinterpret_cast<DWORD_PTR>(strings[n]);
        char text[1024] = {};
        const DWORD length =
            FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program_.get(),
                           static_cast<DWORD>(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                           sizeof text, reinterpret_cast<va_list*>(arguments));
        ASSERT_NE(length, 0U) << static_cast<DWORD>(id);
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(std::string_view(text).find(strings[n]) != std::string_view::npos, n < count) << text;
        }
    }
}

}  // namespace
}  // namespace quillon::win32_tests
