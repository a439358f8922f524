// Switching and closing tabs keep the tab strip, the tab list, the visible
// page and the address bar in step; the layout sizes the controls and page.
#include "BrowserFixture.h"

#include "core/CommandIds.h"
#include "core/Layout.h"
#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/MainWindow.h"

namespace {

using TabList = BrowserFixture;

RECT ChildRect(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(HWND_DESKTOP, g_hMainWnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void ExpectRect(HWND child, int x, int y, int width, int height) {
    const RECT rc = ChildRect(child);
    EXPECT_EQ(rc.left, x);
    EXPECT_EQ(rc.top, y);
    EXPECT_EQ(rc.right - rc.left, width);
    EXPECT_EQ(rc.bottom - rc.top, height);
}

void SetClientSize(int width, int height) {
    RECT rc = {0, 0, width, height};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(g_hMainWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(g_hMainWnd, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
}

TEST_F(TabList, FirstTabIsWiredCurrentAndShowsTheNewTabPage) {
    StartEngine();
    ASSERT_EQ(g_tabs.size(), 1u);
    EXPECT_EQ(g_currentTab, 0);
    EXPECT_EQ(TabCaptions(), std::vector<std::wstring>{L"New Tab"});
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
    const int view = TabViewIds()[0];

    const std::vector<std::wstring> expected = {
        L"add_WebMessageReceived", L"add_DocumentTitleChanged", L"add_SourceChanged", L"add_AcceleratorKeyPressed",
        L"put_IsVisible 1",        L"put_Bounds",               L"NavigateToString",
    };
    std::vector<std::wstring> calls;
    for (const std::wstring& call : devengine::CallLog(view)) {
        for (const std::wstring& name : expected) {
            if (call.compare(0, name.size(), name) == 0) calls.push_back(name);
        }
    }
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(Calls(view, L"MoveFocus").empty()) << "the keyboard goes to the address bar, not through the page";
    EXPECT_NE(g_tabs[0].titleChangedToken.value, 0);
}

TEST_F(TabList, ControlsAreLaidOutWithoutATab) {
    // As after an engine that could not start: every control usable.
    SetClientSize(900, 600);
    ExpectRect(g_hTabCtrl, 0, 0, 820, 30);
    ExpectRect(g_hNewTabButton, 825, 2, 30, 25);
    ExpectRect(g_hCloseTabButton, 860, 2, 30, 25);
    ExpectRect(g_hAddressBar, 180, 35, 640, 25);
    ExpectRect(g_hHistoryButton, 825, 35, 70, 25);
}

TEST_F(TabList, LayoutOfA1000By700ClientArea) {
    StartEngine();
    SetClientSize(1000, 700);
    ExpectRect(g_hTabCtrl, 0, 0, 920, 30);
    ExpectRect(g_hNewTabButton, 925, 2, 30, 25);
    ExpectRect(g_hCloseTabButton, 960, 2, 30, 25);
    ExpectRect(g_hAddressBar, 180, 35, 740, 25);
    ExpectRect(g_hHistoryButton, 925, 35, 70, 25);
    ExpectRect(GetDlgItem(g_hMainWnd, ID_BACK), 5, 35, 50, 25);
    ExpectRect(GetDlgItem(g_hMainWnd, ID_NEXT), 60, 35, 50, 25);
    ExpectRect(GetDlgItem(g_hMainWnd, ID_RELOAD), 115, 35, 60, 25);

    const RECT bounds = devengine::GetView(TabViewIds()[0]).bounds;
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 70);
    EXPECT_EQ(bounds.right, 1000);
    EXPECT_EQ(bounds.bottom, 700);
}

TEST_F(TabList, ATabSwitchedToGetsTheBoundsOfTheWindowResizedMeanwhile) {
    StartEngine();
    OpenTabs(1);
    SetClientSize(800, 500);
    const int hidden = TabViewIds()[0];
    EXPECT_NE(devengine::GetView(hidden).bounds.right, 800);

    SelectTab(0);
    ExpectConsistent();
    const RECT bounds = devengine::GetView(hidden).bounds;
    EXPECT_EQ(bounds.right, 800);
    EXPECT_EQ(bounds.bottom, 500);
    EXPECT_EQ(GetFocus(), devengine::GetView(hidden).pageWindow);
}

TEST_F(TabList, TheLastTabIsNeverClosed) {
    StartEngine();
    Click(ID_CLOSE_TAB);
    CloseTab(0);
    Settle();
    EXPECT_EQ(g_tabs.size(), 1u);
    EXPECT_EQ(g_currentTab, 0);
    EXPECT_EQ(TabCaptions().size(), 1u);
    EXPECT_TRUE(Calls(TabViewIds()[0], L"Close").empty());
}

TEST_F(TabList, ClosingTheCurrentTabMakesItsSuccessorOrTheNewLastTabCurrent) {
    StartEngine();
    OpenTabs(2);
    const std::vector<int> views = TabViewIds();
    ASSERT_EQ(views.size(), 3u);
    devengine::TriggerSourceChange(views[0], L"https://first.example/");
    devengine::TriggerSourceChange(views[1], L"https://second.example/");
    Settle();

    // The third (last) is current: closing it makes the second current.
    Click(ID_CLOSE_TAB);
    Settle();
    EXPECT_TRUE(devengine::GetView(views[2]).closed);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{views[0], views[1]}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"https://second.example/");

    // The first is current: closing it makes the tab that moves into its place current.
    OpenTabs(1);
    SelectTab(0);
    Click(ID_CLOSE_TAB);
    Settle();
    EXPECT_EQ(TabViewIds().front(), views[1]);
    EXPECT_EQ(g_currentTab, 0);
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"https://second.example/");
}

TEST_F(TabList, ClosingTheMiddleTabMakesTheFormerThirdCurrent) {
    StartEngine();
    OpenTabs(2);
    const std::vector<int> views = TabViewIds();
    SelectTab(1);
    CloseTab(g_currentTab);
    Settle();
    EXPECT_EQ(TabViewIds(), (std::vector<int>{views[0], views[2]}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
}

TEST_F(TabList, OutOfRangeIndexesChangeNothing) {
    StartEngine();
    OpenTabs(1);
    SetWindowTextW(g_hAddressBar, L"typed");
    const size_t visibilityCalls = Calls(TabViewIds()[1], L"put_IsVisible").size();

    for (int index : {-1, 2, 1000}) {
        SwitchToTab(index);
        CloseTab(index);
    }
    Settle();
    EXPECT_EQ(AddressBarText(), L"typed");
    EXPECT_EQ(g_tabs.size(), 2u);
    EXPECT_EQ(g_currentTab, 1);
    EXPECT_EQ(Calls(TabViewIds()[1], L"put_IsVisible").size(), visibilityCalls);
    ExpectConsistent();
}

TEST_F(TabList, SwitchingToTheCurrentTabReadsItsAddressAndLaysOutAgain) {
    StartEngine();
    const int view = TabViewIds()[0];
    const size_t boundsCalls = Calls(view, L"put_Bounds").size();
    SetWindowTextW(g_hAddressBar, L"typed");

    SwitchToTab(0);
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
    EXPECT_EQ(Calls(view, L"put_Bounds").size(), boundsCalls + 1);
    EXPECT_EQ(Calls(view, L"put_IsVisible").back(), L"put_IsVisible 1");
}

TEST_F(TabList, AnAddressTheEngineCannotTellLeavesTheAddressBarAlone) {
    StartEngine();
    OpenTabs(1);
    SetWindowTextW(g_hAddressBar, L"typed");

    devengine::GetKnobs().sourceResult = E_FAIL;
    SelectTab(0);
    EXPECT_EQ(AddressBarText(), L"typed");
    EXPECT_EQ(g_currentTab, 0);

    devengine::GetKnobs().sourceResult = S_OK;
    devengine::GetKnobs().nullSource = true;
    SelectTab(1);
    EXPECT_EQ(AddressBarText(), L"typed");
    ExpectConsistent();
}

TEST_F(TabList, ManyTabsOpenedSwitchedThroughAndClosedKeepStripAndListInStep) {
    StartEngine();
    OpenTabs(39);
    ASSERT_EQ(g_tabs.size(), 40u);
    ExpectConsistent();
    for (int i = 0; i < 40; i += 7) {
        SelectTab(i);
        ExpectConsistent();
    }
    SelectTab(20);
    while (g_tabs.size() > 1) {
        Click(ID_CLOSE_TAB);
        ExpectConsistent();
    }
    Settle();
    int open = 0;
    for (int id : devengine::ViewIds()) open += devengine::GetView(id).closed ? 0 : 1;
    EXPECT_EQ(open, 1);
}

}  // namespace
