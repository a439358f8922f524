// Ctrl+W: closes the current tab from any control and from the page, never
// the last tab, and never reaches the focused control as a keystroke. Alt+F4
// closes the window.
#include "BrowserSession.h"
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

}  // namespace
