// A middle click on a tab of the strip closes that tab, whether it is the
// current one or not; the current tab stays current, visible and laid out when
// another one goes, and the last tab stays.
#include "tests/TabInput.h"

#include "core/Layout.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

using MiddleClick = ReliabilityFixture;

// A real middle click (through the input queue and the browser's loop) at a
// point of the tab strip, in its client coordinates.
void MiddleClickStripAt(POINT point) {
    SendAndHandle({StripMouseInput(point, 0), StripMouseInput(point, MOUSEEVENTF_MIDDLEDOWN),
                   StripMouseInput(point, MOUSEEVENTF_MIDDLEUP)});
}

void MiddleClickTab(int index) { ClickTab(index, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }

// The page area a current tab's page is given (the layout's).
RECT PageArea() {
    RECT area;
    GetClientRect(g_hMainWnd, &area);
    area.top = kPageTop;
    return area;
}

void ExpectShownAsLaidOut(int viewId) {
    const RECT bounds = devengine::GetView(viewId).bounds;
    const RECT area = PageArea();
    EXPECT_TRUE(EqualRect(&bounds, &area));
}

TEST_F(MiddleClick, ClosingATabBeforeOrAfterTheCurrentKeepsTheCurrentOne) {
    StartEngine();
    OpenTabs(4);  // views 1 to 5
    SelectTab(2);
    PressEnterInAddressBar(L"https://current.test/");
    const size_t visibilityCalls = Calls(3, L"put_IsVisible").size();

    // Before the current tab: the same tab stays current one place further left.
    MiddleClickTab(0);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"https://current.test/");
    ExpectShownAsLaidOut(3);
    EXPECT_TRUE(devengine::GetView(1).closed);

    // After it: nothing visible changes.
    MiddleClickTab(3);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"https://current.test/");
    ExpectShownAsLaidOut(3);
    EXPECT_EQ(Calls(3, L"put_IsVisible").size(), visibilityCalls) << "the current page was never hidden";

    // The current tab itself: as with "X", the next tab takes its place.
    MiddleClickTab(1);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 4}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    EXPECT_EQ(AddressBarText(), L"browser://newtab");
    ExpectShownAsLaidOut(4);
}

TEST_F(MiddleClick, TheLastTabStaysAndAClickBesideTheTabsClosesNothing) {
    StartEngine();
    OpenTabs(1);
    RECT last = {};
    SendMessageW(g_hTabCtrl, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&last));
    MiddleClickStripAt(POINT{last.right + 40, (last.top + last.bottom) / 2});
    EXPECT_EQ(g_tabs.size(), 2u);

    MiddleClickTab(0);
    MiddleClickTab(0);
    EXPECT_EQ(TabViewIds(), std::vector<int>{2});
    ExpectConsistent();
    EXPECT_FALSE(devengine::GetView(2).closed);
}

}  // namespace
