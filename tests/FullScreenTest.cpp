// Full screen: the current tab's page or F11 makes the window cover its
// monitor with the page alone; leaving brings back the window as it was.
// Leaving the tab ends its page's full screen; background tabs change nothing.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/CommandIds.h"
#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/AddressSuggestionList.h"

#include <functional>
#include <string>

namespace {

const std::wstring kExitScript = L"ExecuteScript document.exitFullscreen()";

void Fail(int view, COREWEBVIEW2_PROCESS_FAILED_KIND kind) { ASSERT_TRUE(devengine::TriggerProcessFailure(view, kind)); }

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

    // Full screen: the window is the monitor, without a frame or controls,
    // and the page has the whole client area. Otherwise: the window is at
    // `windowed` with its frame and its eight controls, the page below them.
    testing::AssertionResult Shows(bool fullScreen, const RECT& windowed = {}) const {
        const LONG_PTR style = GetWindowLongPtrW(g_hMainWnd, GWL_STYLE);
        const bool framed = (style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW && (style & WS_POPUP) == 0;
        RECT window = {};
        GetWindowRect(g_hMainWnd, &window);
        int controls = 0;
        for (int id : {ID_TAB_CONTROL, ID_NEW_TAB, ID_CLOSE_TAB, ID_BACK, ID_NEXT, ID_RELOAD, ID_ADDRESS_BAR,
                       ID_HISTORY}) {
            if (IsWindowVisible(GetDlgItem(g_hMainWnd, id))) ++controls;
        }
        const LONG pageTop = devengine::GetView(CurrentView()).bounds.top;
        const RECT& expected = fullScreen ? monitor_ : windowed;
        if (EqualRect(&window, &expected) && framed != fullScreen && controls == (fullScreen ? 0 : 8) &&
            pageTop == (fullScreen ? 0 : 70)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "window " << window.left << "," << window.top << (framed ? " framed, " : ", ")
                                           << controls << " controls shown, page top " << pageTop;
    }

    static void PageFullScreen(int view, bool enter) {
        ASSERT_TRUE(devengine::TriggerFullScreen(view, enter));
        Settle();
    }

    // Keys through the browser's own message loop (a control has the focus).
    static void PressInLoop(WORD key, bool ctrl = false) {
        std::vector<INPUT> inputs = {KeyInput(key, false), KeyInput(key, true)};
        if (ctrl) inputs = {KeyInput(VK_CONTROL, false), inputs[0], inputs[1], KeyInput(VK_CONTROL, true)};
        Send(inputs);
        RunLoopUntilInputHandled();
    }

    // A key offered by the current tab's page.
    static void OfferFromPage(WORD key, bool ctrl = false) {
        ASSERT_TRUE(devengine::TriggerAcceleratorKey(CurrentView(), COREWEBVIEW2_KEY_EVENT_KIND_KEY_DOWN, key, ctrl));
        Settle();
    }

    static RECT PlaceWindow() {
        SetWindowPos(g_hMainWnd, nullptr, 40, 30, 900, 650, SWP_NOZORDER);
        RECT rect = {};
        GetWindowRect(g_hMainWnd, &rect);
        return rect;
    }

    RECT monitor_ = {};
};

TEST_F(FullScreen, TheCurrentPageFillsTheMonitorAndLeavesOnF11OrOnEscapeInThePage) {
    StartEngine();
    OpenTabs(1);
    const RECT windowed = PlaceWindow();
    const int view = CurrentView();
    PageFullScreen(TabViewIds()[0], true);
    EXPECT_TRUE(Shows(false, windowed)) << "a background tab's page changes nothing";
    EXPECT_FALSE(devengine::GetView(TabViewIds()[0]).fullScreen) << "and is asked to leave";
    PageFullScreen(view, true);
    EXPECT_TRUE(Shows(true));

    // F11 leaves, and asks the page to leave too.
    OfferFromPage(VK_F11);
    EXPECT_TRUE(Shows(false, windowed));
    EXPECT_EQ(Calls(view, L"ExecuteScript"), std::vector<std::wstring>{kExitScript});
    EXPECT_FALSE(devengine::GetView(view).fullScreen);

    // Escape is the page's: the browser leaves it to the engine, which ends the full screen.
    PageFullScreen(view, true);
    OfferFromPage(VK_ESCAPE);
    EXPECT_EQ(Calls(view, L"put_Handled 1").size(), 1u) << "only F11 was the browser's";
    EXPECT_TRUE(Shows(false, windowed));
}

TEST_F(FullScreen, F11HoldsTheWindowWhileThePageComesAndGoesAndAMaximisedWindowComesBackMaximised) {
    StartEngine();
    ShowWindow(g_hMainWnd, SW_MAXIMIZE);
    Settle();
    ASSERT_TRUE(IsZoomed(g_hMainWnd));
    RECT maximised = {};
    GetWindowRect(g_hMainWnd, &maximised);

    PressInLoop(VK_F11);
    EXPECT_TRUE(Shows(true));
    PageFullScreen(CurrentView(), true);
    PageFullScreen(CurrentView(), false);
    EXPECT_TRUE(Shows(true));
    OfferFromPage(VK_F11);
    EXPECT_TRUE(IsZoomed(g_hMainWnd));
    EXPECT_TRUE(Shows(false, maximised));

    ShowWindow(g_hMainWnd, SW_RESTORE);
    const RECT windowed = PlaceWindow();
    OfferFromPage(VK_F11);
    EXPECT_TRUE(Shows(true));
    PressInLoop(VK_F11);
    EXPECT_FALSE(IsZoomed(g_hMainWnd));
    EXPECT_TRUE(Shows(false, windowed));
}

TEST_F(FullScreen, LeavingTheTabEndsItsPagesFullScreenUnlessF11HoldsTheWindow) {
    StartEngine();
    const RECT windowed = PlaceWindow();
    const std::pair<const char*, std::function<void(int view)>> leaving[] = {
        {"click on another tab", [](int) { SelectTab(0); }},
        {"Ctrl+Tab from the page", [](int) { OfferFromPage(VK_TAB, true); }},
        {"Ctrl+1 from the page", [](int) { OfferFromPage('1', true); }},
        {"closing it", [](int) { Click(ID_CLOSE_TAB); }},
        {"a new tab", [](int) { Click(ID_NEW_TAB); }},
        {"a render crash", [](int view) { Fail(view, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED); }},
        {"a recovery", [](int view) { Fail(view, COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED); }},
    };
    for (const auto& leave : leaving) {
        SCOPED_TRACE(leave.first);
        while (g_tabs.size() < 3) OpenTabs(1);
        SelectTab(1);
        const int view = CurrentView();
        const size_t scriptsBefore = Calls(view, L"ExecuteScript").size();
        PageFullScreen(view, true);
        ASSERT_TRUE(Shows(true));
        leave.second(view);
        Settle();
        EXPECT_TRUE(Shows(false, windowed));
        // One request to leave; none of a page whose engine is gone.
        const bool engineGone = std::string(leave.first) == "a recovery";
        EXPECT_EQ(Calls(view, L"ExecuteScript").size(), scriptsBefore + (engineGone ? 0 : 1));
    }

    // With F11 held the window stays through a switch.
    OfferFromPage(VK_F11);
    OfferFromPage(VK_TAB, true);
    EXPECT_TRUE(Shows(true));
    OfferFromPage(VK_F11);
    EXPECT_TRUE(Shows(false, windowed));
}

// The keyboard never goes into the hidden address bar: whatever holds full
// screen, the ways into the bar leave it first, and the page is told.
TEST_F(FullScreen, TheWaysIntoTheAddressBarLeaveFullScreenFirst) {
    StartEngine();
    const RECT windowed = PlaceWindow();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Ctrl+L", [] { OfferFromPage('L', true); }},
        {"F6", [] { OfferFromPage(VK_F6); }},
        {"Ctrl+T", [] { OfferFromPage('T', true); }},
        {"the New Tab page's box", [] {
             ASSERT_TRUE(devengine::TriggerWebMessage(CurrentView(), L"focus_url"));
             Settle();
         }},
    };
    for (const auto& way : ways) {
        for (const bool byKey : {true, false}) {
            SCOPED_TRACE(::testing::Message() << way.first << (byKey ? " after F11" : " after the page"));
            SwitchToTab(static_cast<int>(g_tabs.size()) - 1);
            ASSERT_TRUE(devengine::GetView(CurrentView()).source.find(L"data:text/html") == 0);
            const int view = CurrentView();
            PageFullScreen(view, true);
            if (byKey) PressInLoop(VK_F11);
            if (byKey) PageFullScreen(view, true);
            ASSERT_TRUE(Shows(true));
            way.second();
            Settle();
            EXPECT_TRUE(Shows(false, windowed));
            EXPECT_FALSE(devengine::GetView(view).fullScreen) << "the page was asked to leave";
            EXPECT_EQ(GetFocus(), g_hAddressBar);
            EXPECT_FALSE(SuggestionsShown());
        }
    }
}

// A page that leaves full screen while the window is minimised leaves it
// minimised and inactive; the user's restore brings back the maximised window.
TEST_F(FullScreen, LeavingWhileMinimisedNeitherRestoresNorActivates) {
    StartEngine();
    ShowWindow(g_hMainWnd, SW_MAXIMIZE);
    Settle();
    PageFullScreen(CurrentView(), true);
    ASSERT_TRUE(Shows(true));
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    ShowWindow(g_hMainWnd, SW_MINIMIZE);
    SetForegroundWindow(other);
    Settle();
    ASSERT_TRUE(IsIconic(g_hMainWnd));

    PageFullScreen(CurrentView(), false);
    EXPECT_TRUE(IsIconic(g_hMainWnd));
    EXPECT_EQ(GetForegroundWindow(), other);
    ShowWindow(g_hMainWnd, SW_RESTORE);
    Settle();
    EXPECT_TRUE(IsZoomed(g_hMainWnd));
    const LONG_PTR style = GetWindowLongPtrW(g_hMainWnd, GWL_STYLE);
    EXPECT_EQ(style & WS_POPUP, 0) << "framed again";
    EXPECT_TRUE(IsWindowVisible(g_hAddressBar));
    DestroyWindow(other);
}

// Left while another program was active, a maximised window waits to be
// maximised again; entering full screen meanwhile keeps that in mind.
TEST_F(FullScreen, AWindowLeftInactiveComesBackMaximisedWhenActivated) {
    StartEngine();
    ShowWindow(g_hMainWnd, SW_MAXIMIZE);
    Settle();
    PageFullScreen(CurrentView(), true);
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    PageFullScreen(CurrentView(), false);
    EXPECT_EQ(GetForegroundWindow(), other) << "leaving took no activation";
    PageFullScreen(CurrentView(), true);
    SetForegroundWindow(g_hMainWnd);
    Settle();
    PageFullScreen(CurrentView(), false);
    EXPECT_TRUE(IsZoomed(g_hMainWnd));
    DestroyWindow(other);
}

TEST_F(FullScreen, HoldingF11TogglesOnce) {
    StartEngine();
    PlaceWindow();
    // One auto-repeat after the press: toggling on each would end where it began.
    Send({KeyInput(VK_F11, false), KeyInput(VK_F11, false), KeyInput(VK_F11, true)});
    RunLoopUntilInputHandled();
    EXPECT_TRUE(Shows(true));
}

}  // namespace
