// Start-up: the main window and its controls before the engine answers, the
// first layout once the first tab is there, and the engine's profile folder.
#include "BrowserSession.h"
#include "Files.h"
#include "RemoteWindows.h"

#include <ostream>

namespace {

// A window's place in its parent's client area.
struct Box {
    int x, y, width, height;
    bool operator==(const Box& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

void PrintTo(const Box& box, std::ostream* out) {
    *out << "(" << box.x << ", " << box.y << ", " << box.width << " by " << box.height << ")";
}

Box BoxOf(HWND window) {
    const RECT rect = RectInParent(window);
    const SIZE size = SizeOf(rect);
    return Box{rect.left, rect.top, size.cx, size.cy};
}

struct ControlAtCreation {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    Box box;
};

// The controls before the first tab, laid out to a client area `w` wide.
std::vector<ControlAtCreation> ControlsBeforeTheFirstTab(int w) {
    return {
        {ID_TAB_CONTROL, L"SysTabControl32", L"", {0, 0, w - 80, 30}},
        {ID_NEW_TAB, L"Button", L"+", {w - 75, 2, 30, 25}},
        {ID_CLOSE_TAB, L"Button", L"X", {w - 40, 2, 30, 25}},
        {ID_BACK, L"Button", L"Back", {5, 35, 50, 25}},
        {ID_NEXT, L"Button", L"Next", {60, 35, 50, 25}},
        {ID_RELOAD, L"Button", L"Reload", {115, 35, 60, 25}},
        {ID_ADDRESS_BAR, L"Edit", L"", {180, 35, w - 260, 25}},
        {ID_HISTORY, L"Button", L"History", {w - 75, 35, 70, 25}},
    };
}

const wchar_t kEnvironmentRequest[] = L"environment CreateCoreWebView2EnvironmentWithOptions ";

// The engine's record of the one environment request start-up makes.
std::vector<std::wstring> RequestFor(const std::wstring& userDataFolder) {
    return {kEnvironmentRequest + std::wstring(L"browserFolder=(null) options=(null) userDataFolder=") + userDataFolder};
}

class E2EStartup : public BrowserSession {};

TEST_F(E2EStartup, WindowAndControlsBeforeTheEngineAnswersThenTheFirstLayout) {
    // The engine answers late, so the window can be seen without any tab.
    LaunchOptions options;
    options.environment.emplace_back(L"VELQUIN_DEVENGINE_ENVIRONMENT_DELAY_MS", L"2500");
    ASSERT_TRUE(Launch(options));

    EXPECT_EQ(ClassOf(Window()), L"TabBrowserClass");
    EXPECT_EQ(TextOf(Window()), L"Velquin");
    const SIZE outer = SizeOf(ScreenRect(Window()));
    EXPECT_EQ(outer.cx, 1100);
    EXPECT_EQ(outer.cy, 800);
    EXPECT_EQ(VisibleTopLevelWindows(Browser().Id()), std::vector<HWND>{Window()});

    // The font is not checked: Wine does not answer WM_GETFONT from another
    // process (the in-process window tests check it).
    RECT before = {};
    GetClientRect(Window(), &before);
    for (const ControlAtCreation& control : ControlsBeforeTheFirstTab(before.right)) {
        SCOPED_TRACE(control.id);
        const HWND window = Control(control.id);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(SameIgnoringCase(ClassOf(window), control.className)) << ClassOf(window);
        EXPECT_EQ(TextOf(window), control.text);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(BoxOf(window), control.box);
    }
    EXPECT_EQ(CountTabs(), 0);
    EXPECT_TRUE(ChildrenOfClass(Window(), L"VelquinDevEnginePage").empty());

    EXPECT_EQ(LogLinesStartingWith(kEnvironmentRequest), RequestFor(Browser().InstallFolder() + L"\\Browser_Data"));
    // The checks above are only about the window without tabs if the engine
    // had not answered yet when they were made.
    ASSERT_EQ(LogCount(L"environment completed 0x00000000"), 0u) << "the engine answered too early for this test";

    ASSERT_TRUE(WaitForFirstTab());
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"New Tab"});
    EXPECT_EQ(CurrentTabIndex(), 0);
    EXPECT_TRUE(WaitForAddressText(kNewTabAddress));
    EXPECT_EQ(TextOf(Window()), L"Velquin");
    EXPECT_EQ(Focus(), Window());

    RECT client = {};
    GetClientRect(Window(), &client);
    const int w = client.right;
    const int h = client.bottom;
    EXPECT_EQ(BoxOf(Control(ID_TAB_CONTROL)), (Box{0, 0, w - 80, 30}));
    EXPECT_EQ(BoxOf(Control(ID_NEW_TAB)), (Box{w - 75, 2, 30, 25}));
    EXPECT_EQ(BoxOf(Control(ID_CLOSE_TAB)), (Box{w - 40, 2, 30, 25}));
    EXPECT_EQ(BoxOf(Control(ID_BACK)), (Box{5, 35, 50, 25}));
    EXPECT_EQ(BoxOf(Control(ID_NEXT)), (Box{60, 35, 50, 25}));
    EXPECT_EQ(BoxOf(Control(ID_RELOAD)), (Box{115, 35, 60, 25}));
    EXPECT_EQ(BoxOf(Control(ID_ADDRESS_BAR)), (Box{180, 35, w - 260, 25}));
    EXPECT_EQ(BoxOf(Control(ID_HISTORY)), (Box{w - 75, 35, 70, 25}));
    EXPECT_EQ(BoxOf(PageOf(1)), (Box{0, 70, w, h - 70}));
    EXPECT_EQ(VisibleViews(), std::vector<int>{1});
    EXPECT_EQ(LogCount(ViewLine(1, L"put_Bounds 0 70 " + std::to_wstring(w) + L" " + std::to_wstring(h))), 1u);

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

TEST_F(E2EStartup, ProfileFolderBesideAnExecutableWithAPathLongerThanMaxPath) {
    LaunchOptions options;
    options.installPathLength = 300;
    ASSERT_TRUE(Launch(options));
    ASSERT_GT(Browser().InstallFolder().size(), static_cast<size_t>(MAX_PATH));

    ASSERT_TRUE(WaitForFirstTab());
    EXPECT_EQ(LogLinesStartingWith(kEnvironmentRequest), RequestFor(Browser().InstallFolder() + L"\\Browser_Data"));

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

}  // namespace
