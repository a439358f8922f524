// The main window's own state as the engine and the keyboard see it: the
// focus comes back to where it was after the window was left, the engine
// hears of moves, and a minimised window's page is hidden from it.
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

using WindowState = BrowserFixture;

// Another top-level window takes the activation, as Alt+Tab to another
// program does, then the main window gets it back.
void ActivateAnotherWindowAndReturn() {
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    ASSERT_NE(GetActiveWindow(), g_hMainWnd);
    SetForegroundWindow(g_hMainWnd);
    SetActiveWindow(g_hMainWnd);
    DestroyWindow(other);
}

TEST_F(WindowState, TheFocusReturnsWhereItWasWhenTheWindowIsActivatedAgain) {
    StartEngine();
    // The main window itself hands the focus on to the page.
    SetFocus(g_hMainWnd);
    EXPECT_EQ(GetFocus(), devengine::GetView(TabViewIds()[0]).pageWindow);

    SetFocus(g_hAddressBar);
    ActivateAnotherWindowAndReturn();
    EXPECT_EQ(GetFocus(), g_hAddressBar);

    const HWND page = devengine::GetView(TabViewIds()[0]).pageWindow;
    SetFocus(page);
    ActivateAnotherWindowAndReturn();
    EXPECT_EQ(GetFocus(), page);
}

// The control that had the focus was disabled while the window was away:
// the page gets the keyboard instead of nothing.
TEST_F(WindowState, AControlDisabledMeanwhileHandsTheFocusToThePage) {
    StartEngine();
    const int view = TabViewIds()[0];
    PressEnterInAddressBar(L"https://a.test/");
    PressEnterInAddressBar(L"https://b.test/");
    Click(ID_BACK);
    Settle();
    const HWND next = GetDlgItem(g_hMainWnd, ID_NEXT);
    ASSERT_TRUE(IsWindowEnabled(next));
    SetFocus(next);

    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(devengine::TriggerSourceChange(view, L"https://a.test/#elsewhere"));
    Settle();
    ASSERT_FALSE(IsWindowEnabled(next));
    SetForegroundWindow(g_hMainWnd);
    DestroyWindow(other);
    EXPECT_EQ(GetFocus(), devengine::GetView(view).pageWindow);
}

TEST_F(WindowState, TheEngineHearsOfMovesAndOfMinimising) {
    StartEngine();
    const int view = TabViewIds()[0];
    RECT rc;
    GetWindowRect(g_hMainWnd, &rc);
    SetWindowPos(g_hMainWnd, nullptr, rc.left + 40, rc.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_FALSE(Calls(view, L"NotifyParentWindowPositionChanged").empty());

    const RECT bounds = devengine::GetView(view).bounds;
    ShowWindow(g_hMainWnd, SW_MINIMIZE);
    Settle();
    EXPECT_FALSE(devengine::GetView(view).visible);
    ShowWindow(g_hMainWnd, SW_RESTORE);
    Settle();
    EXPECT_TRUE(devengine::GetView(view).visible);
    EXPECT_EQ(devengine::GetView(view).bounds.right, bounds.right);
    EXPECT_EQ(devengine::GetView(view).bounds.bottom, bounds.bottom);
    ExpectConsistent();
}

}  // namespace
