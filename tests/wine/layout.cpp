#include "wine/layout.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "wine/driver.h"
#include "wine/font_report/font_report.h"

namespace quillon::e2e {
namespace {

// The least room a push button keeps between its focus rectangle and its
// text, at 96 DPI: the text never touches the edges.
constexpr int kButtonTextMargin = 1;

std::string Narrow(const std::wstring& text) {
    std::string narrow(text.size() * 4 + 1, '\0');
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(),
                                          static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(bytes > 0 ? static_cast<std::size_t>(bytes - 1) : 0);
    return narrow;
}

std::wstring TextOf(HWND control) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    return text;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Asks the program for its controls' fonts through the hook library built
// beside this test program, for as long as the object lives.
class FontReader {
public:
    explicit FontReader(HWND window) : window_(window) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        library_ = LoadLibraryA((FolderOf(path) + "\\quillon_font_report.dll").c_str());
        const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(
            library_ ? GetProcAddress(library_, kFontReportHook) : nullptr));
        if (hook) {
            hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hook, library_,
                                      GetWindowThreadProcessId(window, nullptr));
        }
        shared_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(LOGFONTW), kFontReportName);
        if (shared_) view_ = MapViewOfFile(shared_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LOGFONTW));
    }
    FontReader(const FontReader&) = delete;
    FontReader& operator=(const FontReader&) = delete;
    ~FontReader() {
        if (hook_) UnhookWindowsHookEx(hook_);
        if (view_) UnmapViewOfFile(view_);
        if (shared_) CloseHandle(shared_);
        if (library_) FreeLibrary(library_);
    }

    std::optional<LOGFONTW> FontOf(HWND control) const {
        if (!hook_ || !view_) return std::nullopt;
        auto* font = static_cast<LOGFONTW*>(view_);
        *font = LOGFONTW{};
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window_, RegisterWindowMessageA(kFontReportName),
                                 reinterpret_cast<WPARAM>(control), 0, SMTO_ABORTIFHUNG, 5000,
                                 &result) ||
            font->lfFaceName[0] == L'\0') {
            return std::nullopt;
        }
        return *font;
    }

private:
    HWND window_;
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
    HANDLE shared_ = nullptr;
    void* view_ = nullptr;
};

// A device context with a font of the program's selected into it.
class Measurer {
public:
    explicit Measurer(const LOGFONTW& font)
        : dc_(CreateCompatibleDC(nullptr)), font_(CreateFontIndirectW(&font)) {
        old_ = SelectObject(dc_, font_);
    }
    Measurer(const Measurer&) = delete;
    Measurer& operator=(const Measurer&) = delete;
    ~Measurer() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }

    // The size DrawText gives the text in that width.
    SIZE Text(const std::wstring& text, int width, UINT flags) const {
        RECT place{0, 0, width, 0};
        DrawTextW(dc_, text.c_str(), -1, &place, flags | DT_CALCRECT);
        return {place.right - place.left, place.bottom - place.top};
    }
    // The text drawn in black on white in the rectangle, unclipped: for
    // each row of pixels with ink, the span from its first to its last.
    std::vector<RECT> Ink(const std::wstring& text, const RECT& place, UINT flags) const {
        std::vector<RECT> rows;
        const int width = std::max<int>(Width(place), Text(text, Width(place), flags).cx) + 32;
        const int height = std::max<int>(Height(place), Text(text, Width(place), flags).cy);
        BITMAPINFO format{};
        format.bmiHeader = {sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP canvas = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (canvas == nullptr) return rows;
        HGDIOBJ old = SelectObject(dc_, canvas);
        PatBlt(dc_, 0, 0, width, height, WHITENESS);
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        RECT drawn = place;
        DrawTextW(dc_, text.c_str(), -1, &drawn, flags | DT_NOCLIP);
        GdiFlush();
        const auto* pixel = static_cast<const std::uint32_t*>(bits);
        for (int y = 0; y < height; ++y) {
            int first = width;
            int last = -1;
            for (int x = 0; x < width; ++x) {
                if ((pixel[y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                    first = std::min(first, x);
                    last = x;
                }
            }
            if (last >= 0) rows.push_back({first, y, last + 1, y + 1});
        }
        SelectObject(dc_, old);
        DeleteObject(canvas);
        return rows;
    }
    int HalfOfDigitZero() const {
        INT width = 0;
        GetCharWidth32W(dc_, L'0', L'0', &width);
        return width / 2;
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// One control as the screen shows it.
struct Shown {
    std::string name;
    std::string text;
    bool label = false;
    bool enabled = false;
    bool pushButton = false;
    HWND parent = nullptr;
    RECT box{};
    RECT visible{};  // the box inside the frames and the window around it
    std::vector<RECT> drawn;  // its ink for a label, else its box
    SIZE room{};     // what the control leaves its text
    SIZE needs{};    // what the text takes
    RECT textArea{};  // where a label or an option draws its text in its colours
};

// Where a static control of that style puts ink: the text drawn as the
// control draws it (word-wrapped unless the style keeps it on one line),
// one rectangle per row of pixels, so that another control may sit beside
// a short last line.
void MeasureStatic(const Measurer& measure, const std::wstring& text, LONG style, Shown& shown) {
    UINT flags = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT: flags |= DT_LEFT | DT_WORDBREAK; break;
    case SS_CENTER: flags |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: flags |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: flags |= DT_LEFT; break;
    case SS_SIMPLE: flags = DT_LEFT | DT_SINGLELINE; break;
    default: return;  // pictures and lines have no text
    }
    if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
    if (style & SS_EDITCONTROL) flags |= DT_EDITCONTROL;
    if (style & SS_CENTERIMAGE) flags |= DT_SINGLELINE | DT_VCENTER;
    shown.room = {Width(shown.box), Height(shown.box)};
    shown.drawn.clear();
    if (text.empty()) return;
    shown.needs = measure.Text(text, shown.room.cx, flags);
    const RECT place{0, 0, shown.room.cx, std::max(shown.room.cy, shown.needs.cy)};
    for (const RECT& row : measure.Ink(text, place, flags)) {
        RECT onScreen = row;
        OffsetRect(&onScreen, shown.box.left, shown.box.top);
        shown.drawn.push_back(onScreen);
        UnionRect(&shown.textArea, &shown.textArea, &onScreen);
    }
}

// Push buttons draw their text inside a two-pixel edge and the focus
// rectangle (a default button adds a one-pixel frame), and keep a margin
// inside that; option buttons and
// check boxes draw it right of the box and half a digit's width.
void MeasureButton(const Measurer& measure, const std::wstring& text, LONG style, int dpi,
                   Shown& shown) {
    const LONG type = style & BS_TYPEMASK;
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        shown.pushButton = true;
        const int margin = 3 + (type == BS_DEFPUSHBUTTON ? 1 : 0) + MulDiv(kButtonTextMargin, dpi, 96);
        shown.room = {Width(shown.box) - 2 * margin, Height(shown.box) - 2 * margin};
        shown.needs = measure.Text(text, shown.room.cx, lines | DT_CENTER);
    } else if (type != BS_GROUPBOX && type != BS_OWNERDRAW && type != BS_USERBUTTON) {
        const int check = 12 * dpi / 96 + 1;
        shown.textArea = shown.box;
        shown.textArea.left += check + measure.HalfOfDigitZero();
        // One more pixel on the right for the focus rectangle.
        shown.room = {Width(shown.textArea) - 1, Height(shown.box)};
        shown.needs = measure.Text(text, shown.room.cx, lines | DT_LEFT);
        shown.needs.cy = std::max<LONG>(shown.needs.cy, check);
    }
}

Shown Measure(HWND window, HWND control, const FontReader& fonts, int dpi) {
    Shown shown;
    GetWindowRect(control, &shown.box);
    shown.visible = shown.box;
    for (HWND outer = GetParent(control); outer; outer = GetParent(outer)) {
        RECT client{};
        GetClientRect(outer, &client);
        MapWindowPoints(outer, nullptr, reinterpret_cast<POINT*>(&client), 2);
        IntersectRect(&shown.visible, &shown.visible, &client);
        if (outer == window) break;
    }
    shown.drawn = {shown.box};
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    const std::wstring text = TextOf(control);
    shown.text = Narrow(text);
    shown.name = text.empty() ? std::string(className) : "\"" + shown.text + "\"";
    shown.label = lstrcmpiA(className, "Static") == 0;
    shown.parent = GetParent(control);
    shown.enabled = IsWindowEnabled(control) != FALSE;
    const auto font = fonts.FontOf(control);
    if (!font) return shown;
    const Measurer measure(*font);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (shown.label) MeasureStatic(measure, text, style, shown);
    // An icon picture without its icon (a message box's without a symbol)
    // shows only the face.
    DWORD_PTR icon = 0;
    if (shown.label && (style & SS_TYPEMASK) == SS_ICON &&
        SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) && !icon) {
        shown.drawn.clear();
    }
    if (lstrcmpiA(className, "Button") == 0) MeasureButton(measure, text, style, dpi, shown);
    return shown;
}

// Whether what the two controls draw meets where both can be seen.
bool Overlap(const Shown& a, const Shown& b) {
    for (const RECT& partA : a.drawn) {
        for (const RECT& partB : b.drawn) {
            RECT seenA{};
            RECT seenB{};
            RECT both{};
            if (IntersectRect(&seenA, &partA, &a.visible) && IntersectRect(&seenB, &partB, &b.visible) &&
                IntersectRect(&both, &seenA, &seenB)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<Shown> ShownControls(HWND window, int dpi) {
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            // A frame is only the room of what it holds.
            if (IsWindowVisible(child) && !GetWindow(child, GW_CHILD)) {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    const FontReader fonts(window);
    std::vector<Shown> shown;
    for (HWND control : controls) shown.push_back(Measure(window, control, fonts, dpi));
    return shown;
}

std::string Size(SIZE size) { return std::to_string(size.cx) + " x " + std::to_string(size.cy); }

// Whether a pixel shows the colour, or the colour smoothed into a dark
// ground at a glyph's edge: the strokes of small characters of some scripts
// are all edge, without one pixel of the full colour.
bool NearColour(std::uint32_t pixel, std::uint32_t colour) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((pixel >> shift) & 0xFF);
        const int b = static_cast<int>((colour >> shift) & 0xFF);
        if (a - b > 0x40 || b - a > 0x40) return false;
    }
    return true;
}

}  // namespace

ScopedUserValues::ScopedUserValues(const std::vector<Value>& values) {
    for (const auto& value : values) {
        HKEY key = nullptr;
        if (RegCreateKeyA(HKEY_CURRENT_USER, value.key.c_str(), &key) != ERROR_SUCCESS) continue;
        Value before{value.key, value.name, REG_NONE, std::string(4096, '\0')};
        DWORD size = static_cast<DWORD>(before.bytes.size());
        if (RegQueryValueExA(key, value.name.c_str(), nullptr, &before.type,
                             reinterpret_cast<BYTE*>(before.bytes.data()), &size) != ERROR_SUCCESS) {
            before.type = REG_NONE;
            size = 0;
        }
        before.bytes.resize(size);
        previous_.push_back(before);
        RegSetValueExA(key, value.name.c_str(), 0, value.type,
                       reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
        RegCloseKey(key);
    }
}

ScopedUserValues::~ScopedUserValues() {
    for (const auto& value : previous_) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, value.key.c_str(), 0, KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS) {
            continue;
        }
        if (value.type == REG_NONE) {
            RegDeleteValueA(key, value.name.c_str());
        } else {
            RegSetValueExA(key, value.name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE*>(value.bytes.data()),
                           static_cast<DWORD>(value.bytes.size()));
        }
        RegCloseKey(key);
    }
}

std::vector<std::string> LayoutFaults(HWND window, int dpi) {
    const auto shown = ShownControls(window, dpi);
    std::vector<std::string> faults;
    for (const Shown& one : shown) {
        if (one.needs.cx > one.room.cx || one.needs.cy > one.room.cy) {
            faults.push_back(one.name + " needs " + Size(one.needs) + " pixels for its text, has " +
                             Size(one.room));
        }
        if (std::any_of(one.drawn.begin(), one.drawn.end(),
                        [&](const RECT& part) { return !Contains(one.visible, part); })) {
            faults.push_back(one.name + " is cut off");
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            if (Overlap(shown[i], shown[j])) {
                faults.push_back(shown[i].name + " and " + shown[j].name + " overlap");
            }
            if (shown[i].pushButton && shown[j].pushButton && shown[i].parent == shown[j].parent &&
                shown[i].box.left == shown[j].box.left && Width(shown[i].box) != Width(shown[j].box)) {
                faults.push_back(shown[i].name + " and " + shown[j].name + " stand in one column, " +
                                 std::to_string(Width(shown[i].box)) + " and " +
                                 std::to_string(Width(shown[j].box)) + " pixels wide");
            }
        }
    }
    return faults;
}

std::vector<std::string> TextsNotShownIn(HWND window, int dpi, COLORREF text, COLORREF link,
                                        const std::vector<std::string>& links) {
    const auto shown = ShownControls(window, dpi);
    std::vector<std::string> missing;
    for (const Shown& one : shown) {
        if (!one.enabled || IsRectEmpty(&one.textArea)) continue;
        const bool isLink = std::find(links.begin(), links.end(), one.text) != links.end();
        const COLORREF colour = isLink ? link : text;
        const std::uint32_t wanted =
            (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        const auto pixels = ScreenPixels(one.textArea);
        int found = 0;
        for (int y = one.textArea.top; y < one.textArea.bottom; ++y) {
            for (int x = one.textArea.left; x < one.textArea.right; ++x) {
                // Labels lie under the other controls; where one of those
                // covers a label, its own colours show.
                const POINT at{x, y};
                const bool covered = std::any_of(shown.begin(), shown.end(), [&](const Shown& other) {
                    return &other != &one && !other.label && PtInRect(&other.box, at);
                });
                const auto index = static_cast<std::size_t>((y - one.textArea.top) * Width(one.textArea) +
                                                            (x - one.textArea.left));
                if (!covered && NearColour(pixels[index], wanted)) ++found;
            }
        }
        if (found == 0) missing.push_back(one.name);
    }
    return missing;
}

std::optional<LOGFONTW> FontOf(HWND control) {
    return FontReader(GetAncestor(control, GA_ROOT)).FontOf(control);
}

bool SaveScreenshot(HWND window, const std::string& path) {
    RECT place{};
    GetWindowRect(window, &place);
    const auto pixels = ScreenPixels(place);
    if (pixels.empty()) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = Width(place);
    header.biHeight = -Height(place);  // top row first
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const auto imageBytes = static_cast<DWORD>(pixels.size() * sizeof pixels[0]);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), imageBytes);
    return static_cast<bool>(out);
}

}  // namespace quillon::e2e
