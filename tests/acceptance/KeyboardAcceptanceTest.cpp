// The keyboard, the middle click and Back/Next state, as a person meets them:
// shortcuts pressed with the focus in the address bar and with it in the
// page, a middle click on a tab, Back and Next greyed out when there is
// nowhere to go, and a visited address chosen from the address bar's list.
#include "AcceptanceFixture.h"
#include "RemoteWindows.h"
#include "ScreenPixels.h"
#include "UserInput.h"

namespace {

class KeyboardAcceptance : public Acceptance {
protected:
    // Presses keys with the focus in the address bar, where a click puts it.
    testing::AssertionResult PressInAddressBar(const std::vector<WORD>& keys) {
        const testing::AssertionResult focused = FocusAddressBar();
        if (!focused) return focused;
        return Result(PressKeys(keys), L"cannot press the keys");
    }

    // Presses keys with the focus in the page, where a click puts it.
    testing::AssertionResult PressInPage(const std::vector<WORD>& keys) {
        if (!BringToFront(Browser().Window()) || !ClickAt(Browser().PagePoint()) ||
            !WaitUntil([this] { return Browser().Focus() != Browser().AddressBar(); })) {
            return Result(false, L"cannot put the focus in the page");
        }
        return Result(PressKeys(keys), L"cannot press the keys");
    }

    testing::AssertionResult WaitForSelectedTab(int index) {
        return Result(WaitUntil([&] { return Browser().SelectedTab() == index; }),
                      L"expected tab " + std::to_wstring(index) + L" selected; " + State());
    }

    // Back and Next enabled as given.
    testing::AssertionResult WaitForBackNext(bool back, bool next) {
        const auto enabled = [this](const wchar_t* label) { return IsWindowEnabled(Browser().Button(label)) != FALSE; };
        return Result(WaitUntil([&] { return enabled(L"Back") == back && enabled(L"Next") == next; }),
                      std::wstring(L"expected Back ") + (back ? L"enabled" : L"disabled") + L" and Next " +
                          (next ? L"enabled" : L"disabled"));
    }

    // The height of the page's dark text (its heading and paragraph), 0 if
    // none is shown.
    LONG TextHeight() {
        ScreenImage page;
        if (!CaptureScreen(Browser().PageRect(), &page)) return 0;
        const RECT text = DarkPixelBounds(page, 60);
        return text.bottom - text.top;
    }

    // Waits until the page's text height is the same on two readings in a row.
    LONG SettledTextHeight() {
        LONG height = -1;
        WaitUntil([&] {
            const LONG before = height;
            height = TextHeight();
            return height > 0 && height == before;
        });
        return height;
    }
};

TEST_F(KeyboardAcceptance, BackAndNextShowWhetherTheyCanAct) {
    const std::wstring page = Page(L"state", L"Acceptance state page");
    ASSERT_TRUE(WaitForNewTabPage());
    EXPECT_TRUE(WaitForBackNext(false, false));
    ASSERT_TRUE(Visit(L"Acceptance state page", page));
    EXPECT_TRUE(WaitForBackNext(true, false));

    ASSERT_TRUE(Click(L"Back"));
    ASSERT_TRUE(WaitForPage(kNewTabCaption, kNewTabAddress));
    EXPECT_TRUE(WaitForBackNext(false, true));
    ASSERT_TRUE(Click(L"Next"));
    ASSERT_TRUE(WaitForPage(L"Acceptance state page", page));
    EXPECT_TRUE(WaitForBackNext(true, false));

    // Each tab's own history: a new tab has none; the first one still has its.
    ASSERT_TRUE(OpenTab());
    EXPECT_TRUE(WaitForBackNext(false, false));
    ASSERT_TRUE(ClickTab(0));
    EXPECT_TRUE(WaitForBackNext(true, false));
}

TEST_F(KeyboardAcceptance, TabShortcutsFromTheAddressBarAndThePage) {
    const std::wstring first = Page(L"keys-one", L"Acceptance keys one");
    const std::wstring second = Page(L"keys-two", L"Acceptance keys two");
    ASSERT_TRUE(WaitForNewTabPage());
    ASSERT_TRUE(Visit(L"Acceptance keys one", first));

    // Ctrl+T from the address bar, then from the page.
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, 'T'}));
    ASSERT_TRUE(WaitUntil([this] { return ShowsNewTabPage(2, 1); })) << Narrow(State());
    ASSERT_TRUE(Visit(L"Acceptance keys two", second));
    ASSERT_TRUE(PressInPage({VK_CONTROL, 'T'}));
    ASSERT_TRUE(WaitUntil([this] { return ShowsNewTabPage(3, 2); })) << Narrow(State());

    // Ctrl+Tab after the last tab comes to the first; Ctrl+Shift+Tab back to the last.
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, VK_TAB}));
    EXPECT_TRUE(WaitForPage(L"Acceptance keys one", first));
    ASSERT_TRUE(PressInPage({VK_CONTROL, VK_SHIFT, VK_TAB}));
    EXPECT_TRUE(WaitForSelectedTab(2));
    ASSERT_TRUE(PressInPage({VK_CONTROL, VK_PRIOR}));
    EXPECT_TRUE(WaitForPage(L"Acceptance keys two", second));
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, VK_NEXT}));
    EXPECT_TRUE(WaitForSelectedTab(2));

    // Ctrl+1 and Ctrl+9: the first and the last tab.
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, '1'}));
    EXPECT_TRUE(WaitForPage(L"Acceptance keys one", first));
    ASSERT_TRUE(PressInPage({VK_CONTROL, '9'}));
    EXPECT_TRUE(WaitForSelectedTab(2));

    // Ctrl+W from the page closes the last tab; Ctrl+W closes the second;
    // Ctrl+Shift+T brings them back, the last closed first, at the end.
    ASSERT_TRUE(PressInPage({VK_CONTROL, 'W'}));
    ASSERT_TRUE(WaitForTabCount(2));
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, '2'}));
    ASSERT_TRUE(WaitForPage(L"Acceptance keys two", second));
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, 'W'}));
    ASSERT_TRUE(WaitForTabCount(1));
    ASSERT_TRUE(PressInPage({VK_CONTROL, VK_SHIFT, 'T'}));
    ASSERT_TRUE(WaitForTabCount(2));
    EXPECT_TRUE(WaitForSelectedTab(1));
    EXPECT_TRUE(WaitForPage(L"Acceptance keys two", second));
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, VK_SHIFT, 'T'}));
    ASSERT_TRUE(WaitUntil([this] { return ShowsNewTabPage(3, 2); })) << Narrow(State());
    EXPECT_EQ(Browser().TabCaptions(),
              (std::vector<std::wstring>{L"Acceptance keys one", L"Acceptance keys two", kNewTabCaption}));
}

TEST_F(KeyboardAcceptance, PageShortcutsAndTheAddressBarsKeys) {
    std::wstring first, second;
    ASSERT_TRUE(StartOnTwoPages(L"navigation", &first, &second));

    // Alt+Left and Alt+Right: back and next, from the page and from the bar.
    ASSERT_TRUE(PressInPage({VK_MENU, VK_LEFT}));
    EXPECT_TRUE(WaitForPage(L"Acceptance navigation one", first));
    ASSERT_TRUE(PressInAddressBar({VK_MENU, VK_RIGHT}));
    EXPECT_TRUE(WaitForPage(L"Acceptance navigation two", second));

    // F5 and Ctrl+R reload: the file's new title shows.
    ASSERT_EQ(Page(L"navigation-two", L"Acceptance navigation two, F5"), second);
    ASSERT_TRUE(PressInPage({VK_F5}));
    EXPECT_TRUE(WaitForPage(L"Acceptance navigation two, F5", second));
    ASSERT_EQ(Page(L"navigation-two", L"Acceptance navigation two, Ctrl+R"), second);
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, 'R'}));
    EXPECT_TRUE(WaitForPage(L"Acceptance navigation two, Ctrl+R", second));

    // Ctrl+L, Alt+D and F6 from the page: the address bar, all selected.
    for (const std::vector<WORD>& keys : {std::vector<WORD>{VK_CONTROL, 'L'}, std::vector<WORD>{VK_MENU, 'D'},
                                          std::vector<WORD>{VK_F6}}) {
        ASSERT_TRUE(PressInPage(keys));
        EXPECT_TRUE(WaitUntil([this] {
            return Browser().Focus() == Browser().AddressBar() && Browser().AddressFullySelected();
        })) << "keys " << keys.size() << ": the address bar has " << (Browser().Focus() == Browser().AddressBar() ? "" : "no ")
            << "focus";
    }

    // Escape puts back what the tab shows, all selected.
    ASSERT_TRUE(TypeAddress(L"edited, not sent"));
    ASSERT_TRUE(PressKeys({VK_ESCAPE}));
    EXPECT_TRUE(WaitUntil([&] { return Browser().AddressText() == second && Browser().AddressFullySelected(); }))
        << Narrow(State());
}

TEST_F(KeyboardAcceptance, MiddleClickClosesThatTab) {
    const std::wstring first = Page(L"middle-one", L"Acceptance middle one");
    ASSERT_TRUE(WaitForNewTabPage());
    ASSERT_TRUE(Visit(L"Acceptance middle one", first));
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(OpenTab());

    // A tab before the current one goes; the current tab stays current.
    ASSERT_TRUE(BringToFront(Browser().Window()));
    ASSERT_TRUE(MiddleClickAt(CentreOf(Browser().TabRect(0))));
    ASSERT_TRUE(WaitForTabCount(2));
    EXPECT_TRUE(WaitUntil([this] { return ShowsNewTabPage(2, 1); })) << Narrow(State());

    // The last tab stays.
    ASSERT_TRUE(MiddleClickAt(CentreOf(Browser().TabRect(1))));
    ASSERT_TRUE(WaitForTabCount(1));
    ASSERT_TRUE(MiddleClickAt(CentreOf(Browser().TabRect(0))));
    ASSERT_TRUE(Click(L"History"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"History", &box));
    EXPECT_EQ(Browser().TabCaptions().size(), 1u);
    EXPECT_TRUE(DismissMessageBox(box));
}

// The first letters of visited pages' addresses, then Down, Down and Enter:
// the newest comes first, the one before it second, and Enter goes there.
TEST_F(KeyboardAcceptance, TheAddressBarOffersVisitedPagesNewestFirst) {
    std::wstring first, second;
    ASSERT_TRUE(StartOnTwoPages(L"offer", &first, &second));
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(TypeAddress(L"FILE:"));
    ASSERT_TRUE(PressKeys({VK_DOWN}));
    EXPECT_TRUE(WaitUntil([&] { return Browser().AddressText() == second; })) << Narrow(State());
    ASSERT_TRUE(PressKeys({VK_DOWN}));
    EXPECT_TRUE(WaitUntil([&] { return Browser().AddressText() == first; })) << Narrow(State());
    ASSERT_TRUE(PressKeys({VK_RETURN}));
    EXPECT_TRUE(WaitForPage(L"Acceptance offer one", first));
}

TEST_F(KeyboardAcceptance, ZoomKeysFromTheAddressBarScaleThePageAndLeaveTheBarAlone) {
    std::wstring first;
    std::wstring second;
    ASSERT_TRUE(StartOnTwoPages(L"zoom", &first, &second));
    const LONG normal = SettledTextHeight();
    ASSERT_GT(normal, 0) << "no text on the page";

    // Ctrl+= and Ctrl+Plus on the keypad: two steps up.
    ASSERT_TRUE(PressInAddressBar({VK_CONTROL, VK_OEM_PLUS}));
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_ADD}));
    EXPECT_TRUE(WaitUntil([&] { return TextHeight() > normal; })) << "the page did not grow from " << normal;
    EXPECT_EQ(Browser().Focus(), Browser().AddressBar());
    EXPECT_EQ(Browser().AddressText(), second);

    // Ctrl+0 back to 100%, then Ctrl+Minus one step down.
    ASSERT_TRUE(PressKeys({VK_CONTROL, '0'}));
    EXPECT_TRUE(WaitUntil([&] { return TextHeight() == normal; })) << "not back to " << normal;
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_OEM_MINUS}));
    EXPECT_TRUE(WaitUntil([&] { return TextHeight() < normal; })) << "the page did not shrink from " << normal;
    EXPECT_EQ(Browser().Focus(), Browser().AddressBar());
    EXPECT_EQ(Browser().AddressText(), second);
}

}  // namespace
