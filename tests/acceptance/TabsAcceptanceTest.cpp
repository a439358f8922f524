// The tab menu and dragging tabs, as a person meets them: a right click on a
// tab opens its menu, whose items act on that tab; a tab dragged along the
// strip lands where it is let go, its page with it.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "UserInput.h"

namespace {

class TabsAcceptance : public Acceptance {
protected:
    // Three tabs on pages "one", "two" and "three" of `name`, the last current.
    testing::AssertionResult StartOnThreeTabs(const std::wstring& name, std::vector<std::wstring>* addresses) {
        testing::AssertionResult done = WaitForNewTabPage();
        for (const wchar_t* which : {L"one", L"two", L"three"}) {
            const std::wstring title = L"Acceptance " + name + L" " + which;
            addresses->push_back(Page(name + L"-" + which, title));
            if (done && addresses->size() > 1) done = OpenTab();
            if (done) done = Visit(title, addresses->back());
        }
        return done;
    }

    // A popup menu of the browser's is open.
    bool MenuShown() {
        DWORD processId = 0;
        GetWindowThreadProcessId(Browser().Window(), &processId);
        for (const HWND window : VisibleTopLevelWindows(processId)) {
            if (ClassOf(window) == L"#32768") return true;
        }
        return false;
    }

    // Right-clicks tab `index`, waits for its menu and picks an item by its underlined letter.
    testing::AssertionResult PickFromTabMenu(int index, WORD letter) {
        const RECT item = Browser().TabRect(index);
        if (!BringToFront(Browser().Window()) || !RightClickAt(CentreOf(item))) {
            return Result(false, L"cannot right-click tab " + std::to_wstring(index));
        }
        if (!WaitUntil([this] { return MenuShown(); })) return Result(false, L"no menu opened; " + State());
        return Result(PressKeys({letter}) && WaitUntil([this] { return !MenuShown(); }), L"the menu stayed open");
    }

    testing::AssertionResult WaitForCaptions(const std::vector<std::wstring>& captions) {
        return Result(WaitUntil([&] { return Browser().TabCaptions() == captions; }), L"unexpected tabs; " + State());
    }
};

TEST_F(TabsAcceptance, TheTabMenuActsOnTheTabRightClicked) {
    std::vector<std::wstring> pages;
    ASSERT_TRUE(StartOnThreeTabs(L"menu", &pages));
    ASSERT_TRUE(PickFromTabMenu(0, 'D'));  // Duplicate
    EXPECT_TRUE(WaitForCaptions({L"Acceptance menu one", L"Acceptance menu one", L"Acceptance menu two",
                                 L"Acceptance menu three"}));
    EXPECT_TRUE(WaitForPage(L"Acceptance menu one", pages[0]));
    EXPECT_EQ(Browser().SelectedTab(), 1);

    ASSERT_TRUE(PickFromTabMenu(1, 'I'));  // Close tabs to the right
    EXPECT_TRUE(WaitForCaptions({L"Acceptance menu one", L"Acceptance menu one"}));
    // Ctrl+Shift+T brings back the rightmost first.
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, 'T'}));
    EXPECT_TRUE(WaitForPage(L"Acceptance menu three", pages[2]));
}

TEST_F(TabsAcceptance, ADraggedTabLandsWhereItIsLetGo) {
    std::vector<std::wstring> pages;
    ASSERT_TRUE(StartOnThreeTabs(L"drag", &pages));
    const POINT from = CentreOf(Browser().TabRect(0));
    const RECT last = Browser().TabRect(2);
    const POINT to = {last.right - 2, from.y};
    ASSERT_TRUE(BringToFront(Browser().Window()));
    ASSERT_TRUE(DragAlong({from, POINT{(from.x + to.x) / 2, from.y}, to}));
    EXPECT_TRUE(WaitForCaptions({L"Acceptance drag two", L"Acceptance drag three", L"Acceptance drag one"}));
    EXPECT_TRUE(WaitForPage(L"Acceptance drag one", pages[0]));
    EXPECT_EQ(Browser().SelectedTab(), 2);
    // Its own page stays with each tab.
    ASSERT_TRUE(ClickTab(0));
    EXPECT_TRUE(WaitForPage(L"Acceptance drag two", pages[1]));
}

}  // namespace
