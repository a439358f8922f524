// Dragging a tab: it takes a neighbour's place as the pointer passes that
// neighbour's middle, until the button is released, Escape is pressed or the
// capture is lost.
#include "tests/TabInput.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

using TabOrder = ReliabilityFixture;

TEST_F(TabOrder, DraggingMovesTheTabUntilReleaseEscapeOrALostCapture) {
    StartEngine();
    OpenTabs(3);  // four tabs of one width
    POINT slot[4];
    for (int i = 0; i < 4; ++i) slot[i] = TabCentre(i);
    auto past = [&slot](int i, int by) { return POINT{slot[i].x + by, slot[i].y}; };

    // The press selects the tab; it moves as the pointer passes each middle.
    SendAndHandle({StripMouseInput(slot[0], 0), StripMouseInput(slot[0], MOUSEEVENTF_LEFTDOWN),
                   StripMouseInput(past(1, -3), 0)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(g_currentTab, 0);
    SendAndHandle({StripMouseInput(past(1, 3), 0)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 1, 3, 4}));
    SendAndHandle({StripMouseInput(past(3, 3), 0)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(g_currentTab, 3);
    ExpectConsistent();
    SendAndHandle({StripMouseInput(past(3, 3), MOUSEEVENTF_LEFTUP), StripMouseInput(slot[0], 0)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_NE(GetFocus(), g_hTabCtrl) << "the page has the keyboard again";

    // Escape ends a drag where the tab is.
    SendAndHandle({StripMouseInput(slot[3], MOUSEEVENTF_LEFTDOWN), StripMouseInput(past(2, -3), 0)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 3, 1, 4}));
    PressKeys({VK_ESCAPE});
    SendAndHandle({StripMouseInput(slot[1], 0), StripMouseInput(slot[1], MOUSEEVENTF_LEFTUP)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{2, 3, 1, 4}));

    // So does a lost capture. (The second press of a double click drags too.)
    ClickTab(1);
    SendAndHandle({StripMouseInput(slot[1], MOUSEEVENTF_LEFTDOWN), StripMouseInput(past(0, -3), 0)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{3, 2, 1, 4}));
    ReleaseCapture();
    SendAndHandle({StripMouseInput(slot[3], 0), StripMouseInput(slot[3], MOUSEEVENTF_LEFTUP)});
    EXPECT_EQ(TabViewIds(), (std::vector<int>{3, 2, 1, 4}));
    EXPECT_EQ(g_currentTab, 0);
    ExpectConsistent();
}

}  // namespace
