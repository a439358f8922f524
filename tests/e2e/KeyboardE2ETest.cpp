// Ctrl+W: closes the current tab from any control and from the page, never
// the last tab, and never reaches the focused control as a keystroke. Alt+F4
// closes the window. The other shortcuts, Escape in the address bar and the
// middle click on a tab, with real input; Back and Next show whether they can act.
#include "BrowserSession.h"
#include "Polling.h"
#include "RemoteWindows.h"
#include "XInput.h"

namespace {

class E2EKeyboard : public BrowserSession {
protected:
    // Lines of the engine log that say a view was closed.
    size_t ClosedViews() const {
        size_t closed = 0;
        for (const std::wstring& line : Log()) {
            if (line.size() > 6 && line.compare(line.size() - 6, 6, L" Close") == 0) ++closed;
        }
        return closed;
    }

    testing::AssertionResult WaitForCurrentTab(int index) {
        if (WaitUntil([this, index] { return CurrentTabIndex() == index; })) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "tab " << index << " did not become current; " << CurrentTabIndex()
                                           << " is";
    }

    // Whether Back and Next are enabled, once they show `expected`.
    testing::AssertionResult WaitForBackAndNext(bool back, bool next) {
        const auto shows = [&] {
            return (IsWindowEnabled(Control(ID_BACK)) != FALSE) == back &&
                   (IsWindowEnabled(Control(ID_NEXT)) != FALSE) == next;
        };
        if (WaitUntil(shows)) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "Back and Next are not " << back << " and " << next;
    }

    testing::AssertionResult MiddleClickTab(int index) {
        const RECT item = TabItemScreenRect(Browser().Process(), Control(ID_TAB_CONTROL), index);
        const POINT at = CentreOf(item);
        if (IsRectEmpty(&item)) return testing::AssertionFailure() << "no tab " << index;
        if (RunXdotool(L"mousemove " + std::to_wstring(at.x) + L" " + std::to_wstring(at.y) + L" click 2")) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "could not middle-click tab " << index;
    }
};

TEST_F(E2EKeyboard, CtrlWFromTheControlsAndThePage) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(OpenTab());

    // From the address bar: the current (third) tab goes.
    ASSERT_TRUE(TypeIntoAddressBar(L"abc"));
    ASSERT_TRUE(PressKeys(L"ctrl+w"));
    ASSERT_TRUE(WaitForTabCount(2));
    EXPECT_EQ(LogCount(ViewLine(3, L"Close")), 1u);
    EXPECT_EQ(CurrentTabIndex(), 1);
    EXPECT_EQ(VisibleViews(), std::vector<int>{2});
    EXPECT_TRUE(WaitForAddressText(kNewTabAddress));

    // With Shift held as well.
    ASSERT_TRUE(TypeIntoAddressBar(L"abc"));
    ASSERT_TRUE(PressKeys(L"ctrl+shift+w"));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_EQ(LogCount(ViewLine(2, L"Close")), 1u);
    EXPECT_EQ(VisibleViews(), std::vector<int>{1});

    // With one tab nothing closes, and the address bar gets no character:
    // the letter typed next lands right behind "abc".
    ASSERT_TRUE(TypeIntoAddressBar(L"abc"));
    ASSERT_TRUE(PressKeys(L"ctrl+w"));
    ASSERT_TRUE(TypeText(L"d"));
    EXPECT_TRUE(WaitForAddressText(L"abcd"));
    EXPECT_EQ(CountTabs(), 1);
    EXPECT_EQ(ClosedViews(), 2u);
    EXPECT_EQ(Focus(), Control(ID_ADDRESS_BAR));

    // With the page focused (a click on it gives it the focus).
    ASSERT_TRUE(OpenTab());
    const RECT page = ScreenRect(PageOf(4));
    ASSERT_TRUE(ClickAt(POINT{page.left + 20, page.top + 20}));
    ASSERT_TRUE(WaitForFocus(PageOf(4)));
    ASSERT_TRUE(PressKeys(L"ctrl+w"));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_EQ(LogCount(ViewLine(4, L"Close")), 1u);
    EXPECT_EQ(VisibleViews(), std::vector<int>{1});

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

// The real engine keeps the keys of a focused page to itself and offers Ctrl+W
// to the browser through AcceleratorKeyPressed, which the stand-in engine
// raises on request.
TEST_F(E2EKeyboard, CtrlWOfferedByTheEngineClosesTheCurrentTabOnce) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(OpenTab());
    ASSERT_TRUE(OpenTab());

    // Neither the key's release nor W without Ctrl closes a tab.
    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 3 W ctrl keyup"));
    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 3 W"));
    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 3 W ctrl"));
    ASSERT_TRUE(WaitForLogLine(ViewLine(3, L"Close")));
    // A title change queued now arrives after anything the browser posted
    // while handling the keys.
    ASSERT_TRUE(Browser().SendEngineCommand(L"title 1 settled"));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"event DocumentTitleChanged settled")));

    EXPECT_EQ(CountTabs(), 2);
    EXPECT_EQ(ClosedViews(), 1u);
    EXPECT_EQ(LogCount(ViewLine(3, L"put_Handled 1")), 1u);
    EXPECT_EQ(CurrentTabIndex(), 1);
    EXPECT_EQ(VisibleViews(), std::vector<int>{2});

    // Alt+F4 closes the window, tabs and all, like any other way of closing it.
    // Nothing was clicked yet: a click on the current tab gives the window the
    // keyboard.
    ASSERT_TRUE(ClickTab(1));
    ASSERT_TRUE(PressKeys(L"alt+F4"));
    EXPECT_TRUE(ExpectExitCode0());
}

// The shortcuts pressed on the keyboard while a control has the focus, as the
// real message loop sees them.
TEST_F(E2EKeyboard, ShortcutsEscapeAndMiddleClickWithRealInput) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(WaitForBackAndNext(false, false));
    ASSERT_TRUE(NavigateByTyping(1, L"one.example", L"https://one.example"));
    ASSERT_TRUE(WaitForBackAndNext(true, false));

    ASSERT_TRUE(PressKeys(L"ctrl+t"));
    ASSERT_TRUE(WaitForTabCount(2));
    ASSERT_TRUE(WaitForCurrentTab(1));
    ASSERT_TRUE(WaitForBackAndNext(false, false));
    ASSERT_TRUE(PressKeys(L"ctrl+Tab"));
    ASSERT_TRUE(WaitForCurrentTab(0)) << "after the last comes the first";
    ASSERT_TRUE(WaitForBackAndNext(true, false));
    EXPECT_EQ(VisibleViews(), std::vector<int>{1});

    // Alt+Left goes back, F5 reloads, both once.
    ASSERT_TRUE(PressKeys(L"alt+Left"));
    ASSERT_TRUE(WaitForAddressText(kNewTabAddress));
    ASSERT_TRUE(WaitForBackAndNext(false, true));
    ASSERT_TRUE(PressKeys(L"F5"));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"Reload")));

    // Alt+D selects the address: what is typed replaces it, and Escape puts
    // the address back.
    ASSERT_TRUE(PressKeys(L"alt+d"));
    ASSERT_TRUE(WaitForFocus(Control(ID_ADDRESS_BAR)));
    ASSERT_TRUE(TypeText(L"typed"));
    ASSERT_TRUE(WaitForAddressText(L"typed"));
    ASSERT_TRUE(PressKeys(L"Escape"));
    ASSERT_TRUE(WaitForAddressText(kNewTabAddress));
    EXPECT_EQ(LogCount(ViewLine(1, L"GoBack")), 1u);
    EXPECT_EQ(LogCount(ViewLine(1, L"Reload")), 1u);

    // A middle click on the other tab closes it; this one stays current and shown.
    ASSERT_TRUE(MiddleClickTab(1));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_EQ(LogCount(ViewLine(2, L"Close")), 1u);
    EXPECT_EQ(CurrentTabIndex(), 0);
    EXPECT_EQ(VisibleViews(), std::vector<int>{1});
    ASSERT_TRUE(MiddleClickTab(0));
    // Ctrl+Shift+T brings the closed tab back at the end, current; the middle
    // click before it closed nothing.
    ASSERT_TRUE(PressKeys(L"ctrl+shift+t"));
    ASSERT_TRUE(WaitForTabCount(2));
    ASSERT_TRUE(WaitForCurrentTab(1));
    EXPECT_EQ(LogCount(ViewLine(1, L"Close")), 0u);
    ASSERT_TRUE(WaitForLogLine(ViewLine(3, L"event DocumentTitleChanged New Tab")));

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

// The real engine offers the page's keys through AcceleratorKeyPressed: each
// shortcut acts once and is marked handled, so the engine does not act too.
TEST_F(E2EKeyboard, ShortcutsOfferedByThePageActOnceAndAreHandled) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(NavigateByTyping(1, L"one.example", L"https://one.example"));

    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 1 0x74"));       // F5
    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 1 0x25 alt"));   // Alt+Left
    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 1 0x25 alt keyup"));
    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 1 T ctrl"));
    ASSERT_TRUE(WaitForTabCount(2));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"GoBack")));
    EXPECT_EQ(LogCount(ViewLine(1, L"Reload")), 1u);
    EXPECT_EQ(LogCount(ViewLine(1, L"put_Handled 1")), 3u);

    ASSERT_TRUE(Browser().SendEngineCommand(L"accel 1 0x09 ctrl"));  // Ctrl+Tab, from the first tab's page
    ASSERT_TRUE(WaitForCurrentTab(0));
    ASSERT_TRUE(WaitForBackAndNext(false, true));
    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

}  // namespace
