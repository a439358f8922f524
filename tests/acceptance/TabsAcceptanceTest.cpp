// The tab menu and dragging tabs, as a person meets them: a right click on a
// tab opens its menu, whose items act on that tab; a dragged tab lands where
// it is let go, its page with it.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "UserInput.h"

namespace {

class TabsAcceptance : public Acceptance {
protected:
    // Three tabs on pages "<name> one", "two" and "three", the last current.
    void StartOnThreeTabs(const std::wstring& name) {
        ASSERT_TRUE(WaitForNewTabPage());
        for (const wchar_t* which : {L"one", L"two", L"three"}) {
            pages_.push_back(Page(name + L"-" + which, L"Acceptance " + name + L" " + which));
            if (pages_.size() > 1) {
                ASSERT_TRUE(OpenTab());
            }
            ASSERT_TRUE(Visit(L"Acceptance " + name + L" " + which, pages_.back()));
        }
    }

    bool MenuShown() {
        DWORD processId = 0;
        GetWindowThreadProcessId(Browser().Window(), &processId);
        for (const HWND window : VisibleTopLevelWindows(processId)) {
            if (ClassOf(window) == L"#32768") return true;
        }
        return false;
    }

    // Right-clicks tab `index` and picks an item of its menu by the item's underlined letter.
    testing::AssertionResult PickFromTabMenu(int index, WORD letter) {
        if (!BringToFront(Browser().Window()) || !RightClickAt(CentreOf(Browser().TabRect(index))) ||
            !WaitUntil([this] { return MenuShown(); })) {
            return Result(false, L"no menu opened; " + State());
        }
        return Result(PressKeys({letter}) && WaitUntil([this] { return !MenuShown(); }), L"the menu stayed open");
    }

    testing::AssertionResult WaitForCaptions(const std::wstring& name, const std::vector<const wchar_t*>& which) {
        std::vector<std::wstring> captions;
        for (const wchar_t* page : which) captions.push_back(L"Acceptance " + name + L" " + page);
        return Result(WaitUntil([&] { return Browser().TabCaptions() == captions; }), L"unexpected tabs; " + State());
    }

    std::vector<std::wstring> pages_;
};

TEST_F(TabsAcceptance, TheTabMenuActsOnTheTabRightClicked) {
    ASSERT_NO_FATAL_FAILURE(StartOnThreeTabs(L"menu"));
    ASSERT_TRUE(PickFromTabMenu(0, 'D'));  // Duplicate
    EXPECT_TRUE(WaitForCaptions(L"menu", {L"one", L"one", L"two", L"three"}));
    EXPECT_TRUE(WaitForPage(L"Acceptance menu one", pages_[0]));
    EXPECT_EQ(Browser().SelectedTab(), 1);

    ASSERT_TRUE(PickFromTabMenu(1, 'I'));  // Close tabs to the right
    EXPECT_TRUE(WaitForCaptions(L"menu", {L"one", L"one"}));
    // Ctrl+Shift+T brings back the rightmost first.
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_SHIFT, 'T'}));
    EXPECT_TRUE(WaitForPage(L"Acceptance menu three", pages_[2]));
}

TEST_F(TabsAcceptance, ADraggedTabLandsWhereItIsLetGo) {
    ASSERT_NO_FATAL_FAILURE(StartOnThreeTabs(L"drag"));
    const POINT from = CentreOf(Browser().TabRect(0));
    const POINT to = {Browser().TabRect(2).right - 2, from.y};
    ASSERT_TRUE(BringToFront(Browser().Window()));
    ASSERT_TRUE(DragAlong({from, POINT{(from.x + to.x) / 2, from.y}, to}));
    EXPECT_TRUE(WaitForCaptions(L"drag", {L"two", L"three", L"one"}));
    EXPECT_TRUE(WaitForPage(L"Acceptance drag one", pages_[0]));
    EXPECT_EQ(Browser().SelectedTab(), 2);
    // Each tab keeps its own page.
    ASSERT_TRUE(ClickTab(0));
    EXPECT_TRUE(WaitForPage(L"Acceptance drag two", pages_[1]));
}

}  // namespace
