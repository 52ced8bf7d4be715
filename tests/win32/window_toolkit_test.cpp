#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "win32/twips.h"
#include "win32/win32_toolkit.h"
#include "win32/win32_window.h"
#include "win32/window_styles.h"

namespace quillon::platform::win32 {
namespace {

// The main window's layout: list on the right, buttons on the left, each
// caption narrow enough for its button with the margins, so that the
// layout is the design's.
constexpr std::array kMainControls{
    ControlDesign{ControlKind::ListBox, "lstPrinters", "", 2640, 240, 6015, 1425, 0, {}, kSorted},
    ControlDesign{ControlKind::PushButton, "cmdSetDefault", "&Set as default", 240, 240, 2175, 375, 1},
    ControlDesign{ControlKind::PushButton, "cmdCreateShortcut", "&Create shortcut", 240, 720,
                2175, 375, 2},
    ControlDesign{ControlKind::PushButton, "cmdAddToStartup", "&Add to startup", 240, 1200, 2175, 375,
                3},
    ControlDesign{ControlKind::PushButton, "cmdAbout", "A&bout", 5160, 1920, 1095, 375, 4},
    ControlDesign{ControlKind::PushButton, "cmdCancel", "&Quit", 240, 1920, 2175, 375, 5},
};

constexpr WindowDesign kMainSpec{
    .name = "frmMain",
    .caption = "Quillon",
    .clientWidth = 8955,
    .clientHeight = 2580,
    .border = WindowBorder::FixedDialog,
    .position = WindowPosition::CenterScreen,
    .keyPreview = true,
    .showInTaskbar = true,
    .controls = kMainControls,
};

// Questions in frames, whose table order is not their tab order, with a
// default and a cancel button, a link label, an icon and a separator.
constexpr std::array kQuestionControls{
    ControlDesign{ControlKind::PushButton, "cmdOK", "&OK", 1193, 3000, 855, 375, 8, {},
                kDefaultButton},
    ControlDesign{ControlKind::PushButton, "cmdCancel", "&Cancel", 2393, 3000, 855, 375, 9, {},
                kCancelButton},
    ControlDesign{ControlKind::Frame, "fraStartup", "", 120, 1200, 4095, 495, 4},
    // Before the options in tab order, and under them on the screen.
    ControlDesign{ControlKind::Label, "lblStartup", "Startup shortcuts?", 120, 0, 3950, 615, 4,
                "fraStartup"},
    ControlDesign{ControlKind::OptionButton, "optStartupYes", "Yes", 2520, 240, 615, 255, 5,
                "fraStartup"},
    // A button between the two options, which still exclude each other
    // though the keyboard sees two groups.
    ControlDesign{ControlKind::PushButton, "cmdMore", "&More", 1200, 240, 700, 255, 6, "fraStartup"},
    ControlDesign{ControlKind::OptionButton, "optStartupNo", "No", 3240, 240, 615, 255, 7,
                "fraStartup"},
    // Reaches into fraStartup below it, with nothing in that part.
    ControlDesign{ControlKind::Frame, "fraDesktop", "", 120, 240, 4215, 1095, 0},
    ControlDesign{ControlKind::OptionButton, "optDesktopYes", "Yes", 2520, 360, 615, 255, 1,
                "fraDesktop"},
    ControlDesign{ControlKind::OptionButton, "optDesktopNo", "No", 3240, 360, 615, 255, 2,
                "fraDesktop"},
    ControlDesign{ControlKind::Label, "lblDesktop", "Desktop shortcuts?", 120, 120, 2300, 495, 3,
                "fraDesktop"},
    ControlDesign{ControlKind::Image, "Image1", "", 3600, 2400, 480, 480, -1},
    ControlDesign{ControlKind::Line, "Line1", "", 90, 2300, 4350, 2300, -1, {}, kEtchedLine},
    ControlDesign{ControlKind::Label, "lblLink", "R&&D web", 240, 2400, 1500, 255, 10, {},
                kHandPointer | kUnderline},
};

constexpr WindowDesign kQuestionSpec{
    .name = "frmQuestions",
    .caption = "Quillon Setup",
    .clientWidth = 4440,
    .clientHeight = 3705,
    .border = WindowBorder::Sizable,
    .position = WindowPosition::CenterOwner,
    .keyPreview = false,
    .showInTaskbar = false,
    .controls = kQuestionControls,
};

// A drop-down list with its label, and a list.
constexpr std::array kChoiceControls{
    ControlDesign{ControlKind::ListBox, "lstRows", "", 240, 240, 3000, 1000, 0},
    ControlDesign{ControlKind::Label, "lblNetwork", "&Network:", 240, 1440, 900, 255, 1, {}, kLabelsNext},
    ControlDesign{ControlKind::ComboBox, "cboNetwork", "", 1200, 1400, 2040, 315, 2},
    ControlDesign{ControlKind::PushButton, "cmdOK", "&OK", 2400, 2000, 855, 375, 3},
};

constexpr WindowDesign kChoiceSpec{
    .name = "frmChoice",
    .caption = "Choice",
    .clientWidth = 3480,
    .clientHeight = 2600,
    .border = WindowBorder::FixedDialog,
    .position = WindowPosition::CenterScreen,
    .keyPreview = false,
    .showInTaskbar = true,
    .controls = kChoiceControls,
};

// Records what the toolkit tells a window, and lets a test act in the
// handlers.
struct Events : WindowEvents {
    std::vector<std::string> log;
    std::vector<std::pair<int, int>> keys;
    bool allowClose = true;
    std::function<void()> onLoad;
    std::function<void()> onActivate;
    std::function<void(std::string_view)> onClick;

    void Form_Load() override {
        log.push_back("load");
        if (onLoad) onLoad();
    }
    void Form_Activate() override {
        log.push_back("activate");
        if (onActivate) onActivate();
    }
    bool Form_QueryUnload() override {
        log.push_back("query");
        return allowClose;
    }
    void Form_Unload() override { log.push_back("unload"); }
    void Form_KeyUp(int keyCode, int shift) override { keys.emplace_back(keyCode, shift); }
    void Control_Click(std::string_view control) override {
        log.push_back("click " + std::string(control));
        if (onClick) onClick(control);
    }
    void Control_MouseMove(std::string_view control) override {
        log.push_back("move " + std::string(control));
    }

    int Count(std::string_view entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }
};

std::string ClassName(HWND hwnd) {
    std::array<char, 64> name{};
    GetClassNameA(hwnd, name.data(), static_cast<int>(name.size()));
    return name.data();
}

std::string Text(HWND hwnd) {
    std::array<char, 256> text{};
    GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// A rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class WindowToolkit : public ::testing::Test {
protected:
    Win32Toolkit toolkit{GetModuleHandleA(nullptr)};
    Events mainEvents;
    Events questionEvents;
    std::unique_ptr<Window> main;
    std::unique_ptr<Window> questions;

    void TearDown() override {
        questions.reset();
        main.reset();
        toolkit.DoEvents();
    }

    Win32Window& MainWindow() {
        if (!main) main = toolkit.Create(kMainSpec, mainEvents, nullptr);
        return static_cast<Win32Window&>(*main);
    }
    Win32Window& QuestionWindow() {
        if (!questions) questions = toolkit.Create(kQuestionSpec, questionEvents, main.get());
        return static_cast<Win32Window&>(*questions);
    }
    static HWND Control(Win32Window& window, std::string_view name) {
        HWND control = window.ControlHandle(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    int Px(int twips) { return TwipsToPixels(twips, MainWindow().Dpi()); }
    int Py(int twips) { return Px(twips); }

    // Posts a key to a control and lets the loop handle it.
    void Key(HWND control, UINT message, WPARAM key) {
        const LPARAM up = (message == WM_KEYUP || message == WM_SYSKEYUP) ? 0xC0000001 : 1;
        PostMessageA(control, message, key, up);
        toolkit.DoEvents();
    }
};

struct TwipsCase {
    int twips;
    int dpi;
    int pixels;
};

TEST(Twips, RoundToTheNearestPixelAtTheDpi) {
    for (const auto& c : {TwipsCase{1440, 96, 96}, TwipsCase{8955, 96, 597},
                          TwipsCase{8955, 120, 746}, TwipsCase{8955, 144, 896},
                          TwipsCase{7, 96, 0}, TwipsCase{8, 96, 1}, TwipsCase{-8, 96, -1},
                          TwipsCase{2580, 192, 344}, TwipsCase{0, 96, 0}}) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

struct NativeCase {
    const char* name;
    const char* className;
    const char* text;
};

TEST(MessageBoxFlags, TopmostOnlyWithNoWindowOfTheProgramOnTheScreen) {
    constexpr UINT kBox = MB_OK | MB_ICONEXCLAMATION, kAlone = MB_TASKMODAL | MB_SETFOREGROUND;
    EXPECT_EQ(MessageBoxFlags(MessageIcon::Exclamation, false, false), kBox | kAlone | MB_TOPMOST);
    EXPECT_EQ(MessageBoxFlags(MessageIcon::Exclamation, false, true), kBox | kAlone);
    EXPECT_EQ(MessageBoxFlags(MessageIcon::Exclamation, true, true), kBox);
    EXPECT_EQ(MessageBoxFlags(MessageIcon::Exclamation, true, false), kBox | MB_TOPMOST);
}

TEST_F(WindowToolkit, ControlsAreStandardWindowsWithTheirCaptions) {
    auto& window = QuestionWindow();
    ASSERT_TRUE(window.Realize());
    for (const auto& c : {NativeCase{"cmdOK", "Button", "&OK"},
                          NativeCase{"optDesktopYes", "Button", "Yes"},
                          NativeCase{"lblLink", "Static", "R&&D web"},
                          NativeCase{"fraDesktop", kFrameClassName, ""},
                          NativeCase{"Image1", "Static", ""}, NativeCase{"Line1", "Static", ""}}) {
        HWND control = Control(window, c.name);
        EXPECT_EQ(ClassName(control), c.className) << c.name;
        EXPECT_EQ(Text(control), c.text) << c.name;
    }
    auto& main = MainWindow();
    ASSERT_TRUE(main.Realize());
    EXPECT_EQ(ClassName(Control(main, "lstPrinters")), "ListBox");
    EXPECT_EQ(Text(Control(main, "cmdCreateShortcut")), "&Create shortcut");
    EXPECT_EQ(Text(main.Handle()), "Quillon");
    EXPECT_EQ(main.Caption("cmdAbout"), "A&bout");

    const auto style = [&](std::string_view name) {
        return static_cast<DWORD>(GetWindowLongA(Control(window, name), GWL_STYLE));
    };
    EXPECT_EQ(style("cmdOK") & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(style("optDesktopYes") & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
    EXPECT_EQ(style("Line1") & SS_TYPEMASK, static_cast<DWORD>(SS_ETCHEDHORZ));
    EXPECT_EQ(style("lblLink") & SS_NOPREFIX, 0U) << "labels keep their access keys";
    EXPECT_NE(style("lblLink") & SS_NOTIFY, 0U) << "labels report clicks";
    EXPECT_NE(SendMessageA(Control(window, "Image1"), STM_GETICON, 0, 0), 0);
    EXPECT_NE(GetWindowLongA(Control(main, "lstPrinters"), GWL_STYLE) & LBS_SORT, 0);
}

TEST_F(WindowToolkit, SizesComeFromTheTwipsAtTheScreenDpi) {
    auto& main = MainWindow();
    ASSERT_TRUE(main.Realize());
    RECT client{};
    GetClientRect(main.Handle(), &client);
    EXPECT_EQ(client.right, Px(8955));
    EXPECT_EQ(client.bottom, Py(2580));

    const RECT list = PlaceInParent(Control(main, "lstPrinters"));
    EXPECT_EQ(list.left, Px(2640));
    EXPECT_EQ(list.top, Py(240));
    EXPECT_EQ(list.right - list.left, Px(6015));
    EXPECT_EQ(list.bottom - list.top, Py(1425));

    // Inside a frame, positions are the frame's.
    auto& window = QuestionWindow();
    ASSERT_TRUE(window.Realize());
    HWND option = Control(window, "optStartupNo");
    EXPECT_EQ(GetParent(option), Control(window, "fraStartup"));
    const RECT place = PlaceInParent(option);
    EXPECT_EQ(place.left, Px(3240));
    EXPECT_EQ(place.top, Py(240));
    const RECT frame = PlaceInParent(Control(window, "fraStartup"));
    EXPECT_EQ(frame.left, Px(120));
    EXPECT_EQ(frame.top, Py(1200));
}

TEST_F(WindowToolkit, WindowMovedToAMonitorWithOtherDpiIsLaidOutAgain) {
    // The first per-monitor mode, the only one Wine has: the system scales
    // the suggested rectangle but leaves the frame in it at its old size.
    const DPI_AWARENESS_CONTEXT before =
        SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    auto& main = MainWindow();
    auto& window = QuestionWindow();
    main.Show();
    window.Show();
    SetThreadDpiAwarenessContext(before);
    toolkit.DoEvents();
    RECT suggested{40, 30, 900, 500};
    for (auto* target : {&main, &window}) {
        SendMessageA(target->Handle(), kDpiChangedMessage, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(target->Dpi(), 192);
    }
    // Where the system put it, so that the window stays on the monitor that
    // gave the new DPI, with the client area of the layout at that DPI.
    RECT frame{};
    RECT client{};
    GetWindowRect(main.Handle(), &frame);
    GetClientRect(main.Handle(), &client);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);
    EXPECT_EQ(client.right, TwipsToPixels(8955, 192));
    EXPECT_EQ(client.bottom, TwipsToPixels(2580, 192));

    const RECT list = PlaceInParent(Control(main, "lstPrinters"));
    EXPECT_EQ(list.left, TwipsToPixels(2640, 192));
    EXPECT_EQ(list.right - list.left, TwipsToPixels(6015, 192));
    const RECT option = PlaceInParent(Control(window, "optStartupNo"));
    EXPECT_EQ(option.left, TwipsToPixels(3240, 192));
    EXPECT_EQ(option.top, TwipsToPixels(240, 192));

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Control(window, "lblLink"), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -TwipsToPixels(160, 192)) << "8 points";
    EXPECT_TRUE(font.lfUnderline);
}

TEST_F(WindowToolkit, SizeAskedForAnotherDpiIsTheLayoutsThere) {
    // Under per-monitor v2 Windows asks before the move; Wine never does.
    auto& main = MainWindow();
    ASSERT_TRUE(main.Realize());
    const int own = main.Dpi(), dpi = 2 * own;
    SIZE size{1, 1};
    ASSERT_EQ(SendMessageA(main.Handle(), kGetDpiScaledSizeMessage, static_cast<WPARAM>(dpi),
                           reinterpret_cast<LPARAM>(&size)),
              TRUE);
    RECT expected{0, 0, TwipsToPixels(8955, dpi), TwipsToPixels(2580, dpi)};
    ASSERT_TRUE(AdjustWindowRectExForDpi(&expected, static_cast<DWORD>(GetWindowLongA(main.Handle(), GWL_STYLE)),
                                         FALSE, static_cast<DWORD>(GetWindowLongA(main.Handle(), GWL_EXSTYLE)),
                                         static_cast<UINT>(dpi)));
    EXPECT_EQ(size.cx, expected.right - expected.left);
    EXPECT_EQ(size.cy, expected.bottom - expected.top);
    EXPECT_EQ(main.Dpi(), own) << "the window changes only with the DPI itself";
}

TEST_F(WindowToolkit, LinkOpensByItsDefaultActionForScreenReaders) {
    toolkit.SetLinkDefaultAction("Open");
    auto& window = QuestionWindow();
    window.Show();
    toolkit.DoEvents();
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    const unique_hmodule oleacc(LoadLibraryA("oleacc.dll"));
    const auto fromWindow = reinterpret_cast<FromWindow>(
        reinterpret_cast<void (*)()>(GetProcAddress(oleacc.get(), "AccessibleObjectFromWindow")));
    ASSERT_NE(fromWindow, nullptr);
    unique_com<IAccessible> link;
    ASSERT_EQ(fromWindow(Control(window, "lblLink"), static_cast<DWORD>(OBJID_CLIENT),
                         __uuidof(IAccessible), link.out_void()),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR action = nullptr;
    ASSERT_EQ(link->get_accDefaultAction(self, &action), S_OK);
    EXPECT_EQ(std::wstring(action), L"Open");
    SysFreeString(action);
    VARIANT role{};
    ASSERT_EQ(link->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
    EXPECT_EQ(link->accDoDefaultAction(self), S_OK);
    EXPECT_EQ(questionEvents.Count("click lblLink"), 0) << "the reader is not kept waiting";
    toolkit.DoEvents();
    EXPECT_EQ(questionEvents.Count("click lblLink"), 1);

    // One object through every interface it gives, with the link's window,
    // and none of the label's object for marshalling it.
    const auto identity = [](const auto& object) {
        unique_com<IUnknown> unknown;
        EXPECT_EQ(object.query(IID_IUnknown, unknown), S_OK);
        return unknown.get();
    };
    unique_com<IOleWindow> linkWindow;
    ASSERT_EQ(link.query(IID_IOleWindow, linkWindow), S_OK);
    HWND hwnd = nullptr;
    EXPECT_EQ(linkWindow->GetWindow(&hwnd), S_OK);
    EXPECT_EQ(hwnd, Control(window, "lblLink"));
    for (const IID* iid : {&IID_IDispatch, &IID_IOleWindow, &IID_IEnumVARIANT, &IID_IServiceProvider}) {
        unique_com<IUnknown> other;
        if (SUCCEEDED(link.query(*iid, other))) {
            EXPECT_EQ(identity(other), identity(link));
        }
    }
    for (const IID* iid : {&IID_IMarshal, &IID_IStdMarshalInfo, &IID_IAgileObject}) {
        unique_com<IUnknown> marshal;
        EXPECT_EQ(link.query(*iid, marshal), E_NOINTERFACE);
    }
}

TEST_F(WindowToolkit, BordersHaveNoMaximiseOrMinimiseBox) {
    const auto style = [](HWND hwnd) { return GetWindowLongA(hwnd, GWL_STYLE); };
    const auto exStyle = [](HWND hwnd) { return GetWindowLongA(hwnd, GWL_EXSTYLE); };
    // The owner is built first, as it is shown first.
    ASSERT_TRUE(MainWindow().Realize());
    ASSERT_TRUE(QuestionWindow().Realize());
    HWND main = MainWindow().Handle();
    HWND questions = QuestionWindow().Handle();
    for (HWND hwnd : {main, questions}) {
        EXPECT_EQ(style(hwnd) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
        EXPECT_NE(style(hwnd) & WS_SYSMENU, 0);
    }
    EXPECT_EQ(style(main) & WS_THICKFRAME, 0);
    EXPECT_NE(exStyle(main) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_NE(exStyle(main) & WS_EX_APPWINDOW, 0);
    EXPECT_NE(style(questions) & WS_THICKFRAME, 0);
    // Out of the taskbar: owned, and not asking for a button of its own.
    EXPECT_EQ(GetWindow(questions, GW_OWNER), main);
    EXPECT_EQ(exStyle(questions) & WS_EX_APPWINDOW, 0);
}

TEST_F(WindowToolkit, WindowWithoutOwnerStaysOutOfTheTaskbarThroughAHiddenOwner) {
    auto alone = toolkit.Create(kQuestionSpec, questionEvents, nullptr);
    ASSERT_TRUE(static_cast<Win32Window&>(*alone).Realize());
    HWND owner = GetWindow(static_cast<Win32Window&>(*alone).Handle(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
}

TEST_F(WindowToolkit, SortedListIgnoresCaseAndKeepsTheSelectedEntry) {
    auto& main = MainWindow();
    for (const char* name : {"HP LaserJet 4", "fax", "Canon BJ", "hp DeskJet"}) {
        main.AddItem("lstPrinters", name);
    }
    ASSERT_EQ(main.ListCount("lstPrinters"), 4);
    std::vector<std::string> entries;
    for (int i = 0; i < 4; ++i) entries.push_back(main.ListText("lstPrinters", i));
    EXPECT_EQ(entries, (std::vector<std::string>{"Canon BJ", "fax", "hp DeskJet", "HP LaserJet 4"}));
    EXPECT_EQ(main.ListIndex("lstPrinters"), -1);
    EXPECT_EQ(main.ListText("lstPrinters", 4), "");

    main.SetListIndex("lstPrinters", 1);
    EXPECT_EQ(main.Caption("lstPrinters"), "fax");
    main.AddItem("lstPrinters", "Apple");
    EXPECT_EQ(main.ListIndex("lstPrinters"), 2) << "the selection moves with its entry";
    EXPECT_EQ(main.Caption("lstPrinters"), "fax");
    main.SetListIndex("lstPrinters", -1);
    EXPECT_EQ(main.ListIndex("lstPrinters"), -1);
    EXPECT_EQ(mainEvents.Count("click lstPrinters"), 0) << "only the user's choice is a click";
}

// Entries taken out before and after the window is built; the label just
// before the list names it and takes the keyboard there; a choice made with
// the keyboard is a click.
TEST_F(WindowToolkit, DropDownListKeepsItsEntriesAndIsReachedThroughItsLabel) {
    Events events;
    auto window = toolkit.Create(kChoiceSpec, events, nullptr);
    auto& choice = static_cast<Win32Window&>(*window);
    for (const char* name : {"Office", "Home", "Train", "Cafe"}) choice.AddItem("cboNetwork", name);
    choice.SetListIndex("cboNetwork", 2);
    choice.RemoveItem("cboNetwork", 0);
    EXPECT_EQ(choice.Caption("cboNetwork"), "Train") << "the selection moves with its entry";
    choice.Show();
    toolkit.DoEvents();
    HWND combo = Control(choice, "cboNetwork");
    EXPECT_EQ(ClassName(combo), "ComboBox");
    EXPECT_EQ(GetWindowLongA(combo, GWL_STYLE) & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
    EXPECT_EQ(PlaceInParent(combo).top, Py(1400));
    EXPECT_EQ(GetWindow(combo, GW_HWNDPREV), Control(choice, "lblNetwork"));
    EXPECT_EQ(choice.ListIndex("cboNetwork"), 1);

    choice.RemoveItem("cboNetwork", 1);
    EXPECT_EQ(choice.ListIndex("cboNetwork"), -1) << "the selected entry went";
    EXPECT_EQ(choice.ListCount("cboNetwork"), 2);
    EXPECT_EQ(choice.ListText("cboNetwork", 1), "Cafe");

    Key(Control(choice, "lstRows"), WM_SYSCHAR, 'n');
    EXPECT_EQ(GetFocus(), combo);
    choice.SetListIndex("cboNetwork", 0);
    Key(combo, WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(events.Count("click cboNetwork"), 1);
    EXPECT_EQ(choice.Caption("cboNetwork"), "Cafe");
    choice.Clear("cboNetwork");
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(choice.ListIndex("cboNetwork"), -1);
}

TEST_F(WindowToolkit, OptionButtonsAreExclusiveWithinTheirFrame) {
    auto& window = QuestionWindow();
    window.SetChecked("optDesktopYes", true);
    window.SetChecked("optStartupNo", true);
    window.SetChecked("optDesktopNo", true);
    EXPECT_FALSE(window.IsChecked("optDesktopYes"));
    EXPECT_TRUE(window.IsChecked("optDesktopNo"));
    EXPECT_TRUE(window.IsChecked("optStartupNo"));

    window.SetChecked("optStartupYes", true);
    EXPECT_FALSE(window.IsChecked("optStartupNo"));

    window.Show();
    toolkit.DoEvents();
    SendMessageA(Control(window, "optStartupNo"), BM_CLICK, 0, 0);
    toolkit.DoEvents();
    EXPECT_TRUE(window.IsChecked("optStartupNo"));
    EXPECT_FALSE(window.IsChecked("optStartupYes"));
    EXPECT_TRUE(window.IsChecked("optDesktopNo")) << "another frame is another group";
    EXPECT_EQ(questionEvents.Count("click optStartupNo"), 1);
}

TEST_F(WindowToolkit, FocusMovingOntoAnOptionDoesNotChangeTheAnswer) {
    auto& window = QuestionWindow();
    window.SetChecked("optDesktopNo", true);
    window.Show();
    toolkit.DoEvents();
    // The focus starts on the selected option of the first group.
    ASSERT_EQ(GetFocus(), Control(window, "optDesktopNo"));
    Key(GetFocus(), WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), Control(window, "optStartupYes"));
    EXPECT_FALSE(window.IsChecked("optStartupYes"));
    EXPECT_TRUE(window.IsChecked("optDesktopNo"));
    EXPECT_EQ(questionEvents.Count("click optStartupYes"), 0);
    // Themed option buttons report the focus as a click, without being
    // selected; that is not the user's answer.
    HWND yes = Control(window, "optStartupYes");
    SendMessageA(GetParent(yes), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(yes), BN_CLICKED),
                 reinterpret_cast<LPARAM>(yes));
    EXPECT_FALSE(window.IsChecked("optStartupYes"));
    EXPECT_EQ(questionEvents.Count("click optStartupYes"), 0);

    // Space selects the option that has the focus.
    Key(GetFocus(), WM_KEYDOWN, VK_SPACE);
    Key(GetFocus(), WM_KEYUP, VK_SPACE);
    EXPECT_TRUE(window.IsChecked("optStartupYes"));
    EXPECT_EQ(questionEvents.Count("click optStartupYes"), 1);
}

TEST_F(WindowToolkit, TabOrderAndStackingFollowTheLayout) {
    auto& window = QuestionWindow();
    window.Show();
    toolkit.DoEvents();
    std::vector<std::string> order;
    HWND first = GetNextDlgTabItem(window.Handle(), nullptr, FALSE);
    for (HWND item = first; item && order.size() < 10;) {
        for (const auto& design : kQuestionControls) {
            if (window.ControlHandle(design.name) == item) order.emplace_back(design.name);
        }
        item = GetNextDlgTabItem(window.Handle(), item, FALSE);
        if (item == first) break;
    }
    // The link is the one label the keyboard stops at.
    EXPECT_EQ(order, (std::vector<std::string>{"optDesktopYes", "optDesktopNo", "optStartupYes",
                                               "cmdMore", "optStartupNo", "cmdOK", "cmdCancel",
                                               "lblLink"}));

    // A label lies under the options that share its place.
    HWND option = Control(window, "optStartupNo");
    const RECT place = PlaceInParent(option);
    const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPoint(GetParent(option), middle), option);

    // An overlapping frame does not cover the label at the top of the
    // frame under it.
    HWND label = Control(window, "lblStartup");
    RECT text{};
    GetWindowRect(label, &text);
    EXPECT_EQ(WindowFromPoint(POINT{text.left + 4, text.top + 4}), label);

    // The focus starts on the first control, and Tab moves it on.
    auto& main = MainWindow();
    main.Show();
    toolkit.DoEvents();
    EXPECT_EQ(GetFocus(), Control(main, "lstPrinters"));
    Key(GetFocus(), WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), Control(main, "cmdSetDefault"));
}

TEST_F(WindowToolkit, LoadRunsOnceBeforeTheWindowIsBuiltAndItsStateReachesTheControls) {
    auto& main = MainWindow();
    HWND windowAtLoad = reinterpret_cast<HWND>(1);
    mainEvents.onLoad = [&] {
        windowAtLoad = main.Handle();
        main.AddItem("lstPrinters", "HP LaserJet 4");
        main.AddItem("lstPrinters", "Fax");
        main.SetListIndex("lstPrinters", 1);
        main.SetEnabled("cmdSetDefault", false);
        main.SetVisible("cmdCancel", false);
        main.SetCaption("cmdAbout", "&Info");
        main.SetCaption("", "Another title");
    };
    EXPECT_TRUE(mainEvents.log.empty()) << "creating a window does not load it";
    EXPECT_EQ(main.Handle(), nullptr) << "nor build it";
    main.Show();
    main.Show();
    toolkit.DoEvents();
    EXPECT_EQ(windowAtLoad, nullptr) << "a run that ends in the load never builds the window";
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_EQ(mainEvents.log, (std::vector<std::string>{"load", "activate"}));
    HWND list = Control(main, "lstPrinters");
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(main.Caption("lstPrinters"), "HP LaserJet 4");
    EXPECT_FALSE(IsWindowEnabled(Control(main, "cmdSetDefault")));
    EXPECT_FALSE(IsWindowVisible(Control(main, "cmdCancel")));
    EXPECT_EQ(Text(Control(main, "cmdAbout")), "&Info");
    EXPECT_EQ(Text(main.Handle()), "Another title");
}

TEST_F(WindowToolkit, SortedListOrdersAsTheSystemsSortedListBox) {
    // Names that differ in letter case only, in blanks, hyphens and
    // apostrophes (which the locale's order weighs apart), in accents;
    // in about their order, as the program adds them, and out of it.
    const std::vector<std::vector<std::string>> fills{
        {"hp", "HP", "Hp", "hP", "HP"},
        {"HP LaserJet", "hp laserjet", "HP-LaserJet", "HPLaserJet", "hp-laserjet", "HP_LaserJet"},
        {"b", "A", "a", "B", "c", "C", "a"},
        {"Printer-10", "Printer 9", "printer-2", "Printer_1", "Printer'3", "Printer-1", "printer1"},
        {"\xC9tage", "etage", "\xE9tage", "Zebra", "zebra", "Etage", "\xE6ther", "aether"},
    };
    for (const auto& fill : fills) {
        auto window = toolkit.Create(kMainSpec, mainEvents, nullptr);
        HWND system = CreateWindowExA(0, "ListBox", "", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0,
                                      0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(system, nullptr);
        for (const auto& name : fill) {
            window->AddItem("lstPrinters", name);
            SendMessageA(system, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        std::vector<std::string> expected;
        for (int i = 0; i < static_cast<int>(fill.size()); ++i) {
            std::array<char, 64> text{};
            SendMessageA(system, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text.data()));
            expected.emplace_back(text.data());
        }
        DestroyWindow(system);
        const auto entries = [&] {
            std::vector<std::string> texts;
            for (int i = 0; i < window->ListCount("lstPrinters"); ++i) {
                texts.push_back(window->ListText("lstPrinters", i));
            }
            return texts;
        };
        EXPECT_EQ(entries(), expected) << "held before the window is shown";
        window->Show();
        EXPECT_EQ(entries(), expected) << "in the list box shown";
    }
}

TEST_F(WindowToolkit, CloseRequestCanBeRefusedAndAClosedWindowLoadsAfresh) {
    auto& main = MainWindow();
    main.Show();
    toolkit.DoEvents();
    mainEvents.allowClose = false;
    PostMessageA(main.Handle(), WM_CLOSE, 0, 0);
    toolkit.DoEvents();
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_EQ(mainEvents.Count("unload"), 0);

    mainEvents.allowClose = true;
    PostMessageA(main.Handle(), WM_CLOSE, 0, 0);
    toolkit.DoEvents();
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_EQ(main.NativeHandle(), 0U);
    EXPECT_EQ(mainEvents.log,
              (std::vector<std::string>{"load", "activate", "query", "query", "unload"}));

    main.Show();
    EXPECT_TRUE(main.IsLoaded());
    EXPECT_EQ(mainEvents.Count("load"), 2);
    EXPECT_EQ(main.ListCount("lstPrinters"), 0);
}

TEST_F(WindowToolkit, ModalShowDisablesTheOthersUntilTheWindowIsUnloaded) {
    auto& main = MainWindow();
    main.Show();
    toolkit.DoEvents();
    auto& dialog = QuestionWindow();
    bool mainEnabledDuringModal = true;
    questionEvents.onActivate = [&] {
        mainEnabledDuringModal = IsWindowEnabled(main.Handle()) != FALSE;
        // As a button the user pressed, arriving through the queue.
        PostMessageA(dialog.Handle(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(Control(dialog, "cmdCancel")), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(dialog, "cmdCancel")));
    };
    questionEvents.onClick = [&](std::string_view control) {
        if (control == "cmdCancel") dialog.Unload();
    };
    dialog.ShowModal();
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_FALSE(mainEnabledDuringModal);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_EQ(questionEvents.log, (std::vector<std::string>{"load", "activate", "click cmdCancel",
                                                            "query", "unload"}));
    toolkit.DoEvents();
    EXPECT_EQ(mainEvents.Count("activate"), 2) << "the owner is active again";
}

TEST_F(WindowToolkit, KeyPreviewSeesCtrlAltQFromAnyControl) {
    auto& main = MainWindow();
    main.Show();
    toolkit.DoEvents();
    std::array<BYTE, 256> saved{};
    GetKeyboardState(saved.data());
    auto pressed = saved;
    pressed[VK_CONTROL] = pressed[VK_LCONTROL] = 0x80;
    pressed[VK_MENU] = pressed[VK_LMENU] = 0x80;
    SetKeyboardState(pressed.data());
    Key(Control(main, "cmdAbout"), WM_KEYUP, 'Q');
    Key(Control(main, "lstPrinters"), WM_SYSKEYUP, 'Q');
    SetKeyboardState(saved.data());
    Key(Control(main, "lstPrinters"), WM_KEYUP, 'W');
    EXPECT_EQ(mainEvents.keys,
              (std::vector<std::pair<int, int>>{{'Q', kCtrlMask | kAltMask},
                                                {'Q', kCtrlMask | kAltMask},
                                                {'W', 0}}));

    auto& other = QuestionWindow();
    other.Show();
    toolkit.DoEvents();
    Key(Control(other, "cmdOK"), WM_KEYUP, 'Q');
    EXPECT_TRUE(questionEvents.keys.empty()) << "no preview asked for";
}

TEST_F(WindowToolkit, EnterAndEscPressOnlyTheButtonsMarkedForThem) {
    auto& main = MainWindow();
    main.AddItem("lstPrinters", "Fax");
    main.Show();
    toolkit.DoEvents();
    Key(Control(main, "lstPrinters"), WM_KEYDOWN, VK_RETURN);
    Key(Control(main, "lstPrinters"), WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(mainEvents.log, (std::vector<std::string>{"load", "activate"}));

    auto& dialog = QuestionWindow();
    dialog.Show();
    toolkit.DoEvents();
    SetFocus(Control(dialog, "optDesktopYes"));
    Key(GetFocus(), WM_KEYDOWN, VK_ESCAPE);
    Key(GetFocus(), WM_KEYDOWN, VK_RETURN);
    dialog.SetEnabled("cmdOK", false);
    Key(GetFocus(), WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(questionEvents.Count("click cmdCancel"), 1);
    EXPECT_EQ(questionEvents.Count("click cmdOK"), 1) << "a disabled default button stays up";
}

TEST_F(WindowToolkit, AccessKeysPressVisibleButtonsOnly) {
    auto& main = MainWindow();
    main.Show();
    toolkit.DoEvents();
    Key(Control(main, "lstPrinters"), WM_SYSCHAR, 'b');
    main.SetVisible("cmdCancel", false);
    Key(Control(main, "lstPrinters"), WM_SYSCHAR, 'q');
    EXPECT_EQ(mainEvents.Count("click cmdAbout"), 1);
    EXPECT_EQ(mainEvents.Count("click cmdCancel"), 0);
}

TEST_F(WindowToolkit, ControlStateIsTheControlsOwn) {
    auto& main = MainWindow();
    // Not shown yet, and still visible and enabled as controls.
    EXPECT_TRUE(main.IsVisible("cmdCancel"));
    EXPECT_TRUE(main.IsEnabled("cmdSetDefault"));
    main.SetVisible("cmdCancel", false);
    main.SetEnabled("cmdSetDefault", false);
    main.Show();
    toolkit.DoEvents();
    EXPECT_FALSE(main.IsVisible("cmdCancel"));
    EXPECT_FALSE(IsWindowVisible(Control(main, "cmdCancel")));
    EXPECT_FALSE(main.IsEnabled("cmdSetDefault"));
    EXPECT_TRUE(main.IsVisible("cmdAbout"));

    // The focus leaves a control that is switched off.
    SetFocus(Control(main, "cmdAbout"));
    main.SetEnabled("cmdAbout", false);
    EXPECT_NE(GetFocus(), Control(main, "cmdAbout"));
    EXPECT_TRUE(IsChild(main.Handle(), GetFocus()));

    main.SetCaption("", "Another title");
    main.SetCaption("cmdAbout", "&Info");
    EXPECT_EQ(main.Caption(""), "Another title");
    EXPECT_EQ(Text(Control(main, "cmdAbout")), "&Info");
}

TEST_F(WindowToolkit, LabelTextColourReachesThePainting) {
    auto& window = QuestionWindow();
    ASSERT_TRUE(window.Realize());
    window.SetTextColor("lblDesktop", 0xFF0000);
    EXPECT_EQ(window.TextColor("lblDesktop"), 0xFF0000U);
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    // The label sits in a frame, which passes the question on.
    SendMessageA(Control(window, "fraDesktop"), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Control(window, "lblDesktop")));
    EXPECT_EQ(GetTextColor(dc), 0xFF0000U);
    ::SetTextColor(dc, 0x123456);
    SendMessageA(Control(window, "fraDesktop"), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Control(window, "lblStartup")));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_BTNTEXT)) << "a label without a colour of its own";
    DeleteDC(dc);
}

TEST_F(WindowToolkit, PointerFollowsTheScreenSettingAndHandLabels) {
    auto& window = QuestionWindow();
    window.Show();
    toolkit.DoEvents();
    HWND link = Control(window, "lblLink");
    const auto hover = [&](HWND under) {
        return SendMessageA(window.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_TRUE(hover(link));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(questionEvents.Count("move lblLink"), 1);

    toolkit.SetScreenPointer(ScreenPointer::Hourglass);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    EXPECT_TRUE(hover(Control(window, "cmdOK")));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    toolkit.SetScreenPointer(ScreenPointer::Default);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_FALSE(hover(Control(window, "cmdOK")));
    EXPECT_EQ(questionEvents.Count("move lblLink"), 1) << "buttons report no mouse moves";
}

TEST_F(WindowToolkit, WindowsAreCentredOnTheScreen) {
    auto& main = MainWindow();
    main.Show();
    RECT window{};
    GetWindowRect(main.Handle(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(main.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    EXPECT_LE(std::abs((window.left + window.right) - (area.left + area.right)), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) - (area.top + area.bottom)), 1);
}

TEST_F(WindowToolkit, WaitEndsAtTheTimeoutOrEarlierOnAMessage) {
    using Clock = std::chrono::steady_clock;
    auto& main = MainWindow();
    // Wine may still deliver the odd event of the windows of earlier tests,
    // which rightly ends a wait early; a quiet queue is soon found.
    bool waitedItOut = false;
    for (int attempt = 0; attempt < 5 && !waitedItOut; ++attempt) {
        toolkit.DoEvents();
        const auto start = Clock::now();
        toolkit.WaitForEvents(0.3);
        const auto idle = Clock::now() - start;
        EXPECT_LT(idle, std::chrono::milliseconds(2000));
        waitedItOut = idle >= std::chrono::milliseconds(280);
    }
    EXPECT_TRUE(waitedItOut) << "the wait never lasted its time";

    PostMessageA(main.Handle(), WM_NULL, 0, 0);
    const auto start = Clock::now();
    toolkit.WaitForEvents(5);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(WindowToolkit, RunEndsWhenTheLastWindowCloses) {
    // Two windows on their own: closing one leaves the other running.
    auto& main = MainWindow();
    questions = toolkit.Create(kQuestionSpec, questionEvents, nullptr);
    auto& dialog = QuestionWindow();
    main.Show();
    dialog.Show();
    mainEvents.onActivate = [&] { PostMessageA(main.Handle(), WM_CLOSE, 0, 0); };
    questionEvents.onActivate = [&] { PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0); };
    toolkit.Run();
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_FALSE(dialog.IsLoaded());
}

}  // namespace
}  // namespace quillon::platform::win32
