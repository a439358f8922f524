// Full screen: the current tab's page or F11 makes the window cover its
// monitor with the page alone; leaving brings back the window as it was.
// Leaving the tab ends its page's full screen; background tabs change nothing.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <functional>

namespace {

const std::wstring kExitScript = L"ExecuteScript document.exitFullscreen()";

RECT WindowRect() {
    RECT rect = {};
    GetWindowRect(g_hMainWnd, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

int VisibleControls() {
    int visible = 0;
    for (int id : {ID_TAB_CONTROL, ID_NEW_TAB, ID_CLOSE_TAB, ID_BACK, ID_NEXT, ID_RELOAD, ID_ADDRESS_BAR, ID_HISTORY}) {
        if (IsWindowVisible(GetDlgItem(g_hMainWnd, id))) ++visible;
    }
    return visible;
}

class FullScreen : public ReliabilityFixture {
protected:
    void SetUp() override {
        ReliabilityFixture::SetUp();
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        GetMonitorInfoW(MonitorFromWindow(g_hMainWnd, MONITOR_DEFAULTTONEAREST), &info);
        monitor_ = info.rcMonitor;
    }

    static int CurrentView() { return TabViewIds()[g_currentTab]; }

    // The window covers the monitor without a frame, and the current page has
    // all of it.
    testing::AssertionResult IsFullScreen() const {
        const LONG_PTR style = GetWindowLongPtrW(g_hMainWnd, GWL_STYLE);
        RECT client = {};
        GetClientRect(g_hMainWnd, &client);
        const RECT bounds = devengine::GetView(CurrentView()).bounds;
        if (!SameRect(WindowRect(), monitor_)) return testing::AssertionFailure() << "window is not the monitor";
        if ((style & WS_OVERLAPPEDWINDOW) != 0 || (style & WS_POPUP) == 0) return testing::AssertionFailure() << "style";
        if (VisibleControls() != 0) return testing::AssertionFailure() << VisibleControls() << " controls shown";
        if (!SameRect(bounds, client)) return testing::AssertionFailure() << "page bounds top " << bounds.top;
        return testing::AssertionSuccess();
    }

    // The window is back at `rect` with its frame, its controls and the page below them.
    static testing::AssertionResult IsWindowedAt(const RECT& rect) {
        const LONG_PTR style = GetWindowLongPtrW(g_hMainWnd, GWL_STYLE);
        const RECT window = WindowRect();
        if (!SameRect(window, rect)) {
            return testing::AssertionFailure() << "window at " << window.left << "," << window.top << " to "
                                               << window.right << "," << window.bottom;
        }
        if ((style & WS_OVERLAPPEDWINDOW) != WS_OVERLAPPEDWINDOW || (style & WS_POPUP) != 0) {
            return testing::AssertionFailure() << "style";
        }
        if (VisibleControls() != 8) return testing::AssertionFailure() << VisibleControls() << " controls shown";
        if (devengine::GetView(CurrentView()).bounds.top != 70) return testing::AssertionFailure() << "page bounds";
        return testing::AssertionSuccess();
    }

    static void PageFullScreen(int view, bool enter) {
        ASSERT_TRUE(devengine::TriggerFullScreen(view, enter));
        Settle();
    }

    // F11 through the browser's own message loop (a control has the focus).
    static void PressF11InLoop() {
        Send({KeyInput(VK_F11, false), KeyInput(VK_F11, true)});
        RunLoopUntilInputHandled();
    }

    // A key offered by the current tab's page, with Ctrl held or not.
    static void OfferFromPage(WORD key, bool ctrl = false) {
        ASSERT_TRUE(devengine::TriggerAcceleratorKey(CurrentView(), COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, key, ctrl));
        Settle();
    }

    static void PlaceWindow() {
        SetWindowPos(g_hMainWnd, nullptr, 40, 30, 900, 650, SWP_NOZORDER);
        Settle();
    }

    RECT monitor_ = {};
};

TEST_F(FullScreen, TheCurrentPageFillsTheMonitorAndTheWindowComesBack) {
    StartEngine();
    OpenTabs(1);
    PlaceWindow();
    const RECT windowed = WindowRect();

    // A background tab's page changes nothing.
    PageFullScreen(TabViewIds()[0], true);
    EXPECT_TRUE(IsWindowedAt(windowed));

    PageFullScreen(CurrentView(), true);
    EXPECT_TRUE(IsFullScreen());
    PageFullScreen(TabViewIds()[0], false);
    EXPECT_TRUE(IsFullScreen());

    PageFullScreen(CurrentView(), false);
    EXPECT_TRUE(IsWindowedAt(windowed));
    // The page left by itself: nobody asked it to.
    EXPECT_TRUE(Calls(CurrentView(), L"ExecuteScript").empty());
}

TEST_F(FullScreen, F11TogglesFromTheControlsAndThePageAndAMaximisedWindowComesBackMaximised) {
    StartEngine();
    ShowWindow(g_hMainWnd, SW_MAXIMIZE);
    Settle();
    ASSERT_TRUE(IsZoomed(g_hMainWnd));
    const RECT maximised = WindowRect();

    PressF11InLoop();
    EXPECT_TRUE(IsFullScreen());
    OfferFromPage(VK_F11);
    EXPECT_TRUE(IsZoomed(g_hMainWnd));
    EXPECT_TRUE(IsWindowedAt(maximised));

    ShowWindow(g_hMainWnd, SW_RESTORE);
    PlaceWindow();
    const RECT windowed = WindowRect();
    OfferFromPage(VK_F11);
    EXPECT_TRUE(IsFullScreen());
    PressF11InLoop();
    EXPECT_FALSE(IsZoomed(g_hMainWnd));
    EXPECT_TRUE(IsWindowedAt(windowed));
}

TEST_F(FullScreen, F11LeavesThePagesFullScreenTooAndHoldsTheWindowWhileThePageComesAndGoes) {
    StartEngine();
    PlaceWindow();
    const RECT windowed = WindowRect();
    const int view = CurrentView();

    PageFullScreen(view, true);
    ASSERT_TRUE(IsFullScreen());
    OfferFromPage(VK_F11);
    EXPECT_TRUE(IsWindowedAt(windowed));
    EXPECT_EQ(Calls(view, L"ExecuteScript"), std::vector<std::wstring>{kExitScript});
    EXPECT_FALSE(devengine::GetView(view).fullScreen);

    OfferFromPage(VK_F11);
    PageFullScreen(view, true);
    PageFullScreen(view, false);
    EXPECT_TRUE(IsFullScreen()) << "F11 still holds the window";
    OfferFromPage(VK_F11);
    EXPECT_TRUE(IsWindowedAt(windowed));
    EXPECT_EQ(Calls(view, L"ExecuteScript").size(), 1u);
}

TEST_F(FullScreen, LeavingTheTabEndsItsPagesFullScreenUnlessF11HoldsTheWindow) {
    StartEngine();
    PlaceWindow();
    const RECT windowed = WindowRect();
    const std::pair<const char*, std::function<void(int view)>> leaving[] = {
        {"click on another tab", [](int) { SelectTab(0); }},
        {"Ctrl+Tab from the page", [](int) { OfferFromPage(VK_TAB, true); }},
        {"Ctrl+1 from the page", [](int) { OfferFromPage('1', true); }},
        {"closing it", [](int) { Click(ID_CLOSE_TAB); }},
        {"a new tab", [](int) { Click(ID_NEW_TAB); }},
        {"its render process exits",
         [](int view) { devengine::TriggerProcessFailure(view, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED); }},
        {"the engine's recovery",
         [](int view) { devengine::TriggerProcessFailure(view, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED); }},
    };
    for (const auto& leave : leaving) {
        SCOPED_TRACE(leave.first);
        while (g_tabs.size() < 3) OpenTabs(1);
        SelectTab(1);
        const int view = CurrentView();
        const size_t scriptsBefore = Calls(view, L"ExecuteScript").size();
        PageFullScreen(view, true);
        ASSERT_TRUE(IsFullScreen());
        leave.second(view);
        Settle();
        EXPECT_TRUE(IsWindowedAt(windowed));
        // One request to leave (a failed engine refuses it, but it was made).
        EXPECT_EQ(Calls(view, L"ExecuteScript").size(), scriptsBefore + 1);
    }

    // With F11 held, the window stays and the new current page has all of it.
    SelectTab(1);
    OfferFromPage(VK_F11);
    PageFullScreen(CurrentView(), true);
    const int view = CurrentView();
    SelectTab(0);
    EXPECT_TRUE(IsFullScreen());
    EXPECT_EQ(Calls(view, L"ExecuteScript"), std::vector<std::wstring>{kExitScript});
}

TEST_F(FullScreen, EscapeStaysWithThePageAndShortcutsStillWork) {
    StartEngine();
    PlaceWindow();
    const RECT windowed = WindowRect();
    const int view = CurrentView();
    PageFullScreen(view, true);
    OfferFromPage(VK_ESCAPE);
    EXPECT_TRUE(Calls(view, L"put_Handled").empty());
    EXPECT_TRUE(IsWindowedAt(windowed)) << "the engine's own Escape ended the page's full screen";

    PressF11InLoop();
    Send({KeyInput(VK_CONTROL, false), KeyInput('T', false), KeyInput('T', true), KeyInput(VK_CONTROL, true)});
    RunLoopUntilInputHandled();
    EXPECT_EQ(g_tabs.size(), 2u);
    EXPECT_TRUE(IsFullScreen());
}

}  // namespace
