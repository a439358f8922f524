// The main window's own state as the engine and the keyboard see it: the
// focus comes back to where it was after the window was left, the engine
// hears of moves, and a minimised window's page is hidden from it.
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <algorithm>

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

// A tab out of sight keeps less memory: the low level once it is hidden, the
// normal level before it shows again; a minimised window's tab likewise.
TEST_F(WindowState, TabsOutOfSightKeepLessMemory) {
    StartEngine();
    const int first = TabViewIds()[0];
    // The memory level and visibility calls on `view` since `from` of them.
    const auto callsSince = [](int view, size_t from) {
        std::vector<std::wstring> calls;
        for (const std::wstring& call : Calls(view, L"put_")) {
            if (call.find(L"Bounds") == std::wstring::npos) calls.push_back(call);
        }
        return std::vector<std::wstring>(calls.begin() + std::min(from, calls.size()), calls.end());
    };
    size_t before = callsSince(first, 0).size();
    OpenTabs(1);
    const int second = TabViewIds()[1];
    EXPECT_EQ(callsSince(first, before),
              (std::vector<std::wstring>{L"put_IsVisible 0", L"put_MemoryUsageTargetLevel low"}));
    EXPECT_TRUE(Calls(second, L"put_Memory").empty()) << "a tab never in the background is left as it is";

    before = callsSince(first, 0).size();
    SelectTab(0);
    EXPECT_EQ(callsSince(first, before),
              (std::vector<std::wstring>{L"put_MemoryUsageTargetLevel normal", L"put_IsVisible 1"}));
    EXPECT_EQ(devengine::GetView(second).memoryLevel, COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW);

    before = callsSince(first, 0).size();
    ShowWindow(g_hMainWnd, SW_MINIMIZE);
    Settle();
    EXPECT_EQ(devengine::GetView(first).memoryLevel, COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW);
    ShowWindow(g_hMainWnd, SW_RESTORE);
    Settle();
    EXPECT_EQ(callsSince(first, before),
              (std::vector<std::wstring>{L"put_IsVisible 0", L"put_MemoryUsageTargetLevel low",
                                         L"put_MemoryUsageTargetLevel normal", L"put_IsVisible 1"}));
    EXPECT_EQ(Calls(second, L"put_Memory").size(), 1u) << "the background tab stays low";
    ExpectConsistent();
}

// An engine without the setting: switching and minimising work as before.
TEST_F(WindowState, TabsSwitchAsBeforeOnAnEngineWithoutMemoryLevels) {
    devengine::GetKnobs().withholdMemoryLevel = true;
    StartEngine();
    OpenTabs(1);
    SelectTab(0);
    ShowWindow(g_hMainWnd, SW_MINIMIZE);
    Settle();
    ShowWindow(g_hMainWnd, SW_RESTORE);
    Settle();
    EXPECT_TRUE(Calls(TabViewIds()[0], L"put_Memory").empty());
    EXPECT_TRUE(devengine::GetView(TabViewIds()[0]).visible);
    EXPECT_FALSE(devengine::GetView(TabViewIds()[1]).visible);
    ExpectConsistent();
}

}  // namespace
