// Tabs and buttons under real clicks: "+" opens, the strip switches, "X"
// closes the current tab but never the last, Back/Next/Reload reach the
// current tab's engine, History lists the visited addresses.
#include "BrowserSession.h"
#include "Polling.h"
#include "RemoteWindows.h"

namespace {

class E2ETabs : public BrowserSession {
protected:
    // Clicks tab `index` and waits until it is current.
    testing::AssertionResult SwitchByClick(int index) {
        const testing::AssertionResult clicked = ClickTab(index);
        if (!clicked) return clicked;
        if (WaitUntil([this, index] { return CurrentTabIndex() == index; })) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "tab " << index << " did not become current";
    }

    // The page area: the main window's client area below the two rows.
    RECT PageArea() const {
        RECT area = {};
        GetClientRect(Window(), &area);
        area.top = 70;
        return area;
    }
};

TEST_F(E2ETabs, PlusStripXBackNextReloadAndHistory) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(WaitForFirstTab());
    ASSERT_TRUE(NavigateByTyping(1, L"one.example", L"https://one.example"));
    ASSERT_TRUE(NavigateByTyping(1, L"two.example", L"https://two.example"));

    // "+" appends a tab on the New Tab page and makes it the only one shown.
    ASSERT_TRUE(OpenTab());
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"two.example", L"New Tab"}));
    EXPECT_EQ(CurrentTabIndex(), 1);
    EXPECT_EQ(VisibleViews(), std::vector<int>{2});
    EXPECT_TRUE(WaitForAddressText(kNewTabAddress));
    ASSERT_TRUE(OpenTab());
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"two.example", L"New Tab", L"New Tab"}));
    EXPECT_EQ(CurrentTabIndex(), 2);
    EXPECT_EQ(VisibleViews(), std::vector<int>{3});
    const RECT pageArea = PageArea();
    const RECT newPage = RectInParent(PageOf(3));
    EXPECT_TRUE(EqualRect(&newPage, &pageArea));

    // A click on a tab makes it current, with its address and the focus in
    // its page.
    ASSERT_TRUE(SwitchByClick(0));
    EXPECT_TRUE(WaitForAddressText(L"https://two.example"));
    EXPECT_TRUE(WaitForFocus(PageOf(1)));
    EXPECT_EQ(VisibleViews(), std::vector<int>{1});
    const RECT shownPage = RectInParent(PageOf(1));
    EXPECT_TRUE(EqualRect(&shownPage, &pageArea));

    // Back, Next and Reload act on the current tab only.
    ASSERT_TRUE(Click(ID_BACK));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"GoBack")));
    EXPECT_TRUE(WaitForAddressText(L"https://one.example"));
    ASSERT_TRUE(Click(ID_NEXT));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"GoForward")));
    EXPECT_TRUE(WaitForAddressText(L"https://two.example"));
    ASSERT_TRUE(Click(ID_RELOAD));
    ASSERT_TRUE(WaitForLogLine(ViewLine(1, L"Reload")));
    for (int view : {2, 3}) {
        for (const wchar_t* call : {L"GoBack", L"GoForward", L"Reload"}) EXPECT_EQ(LogCount(ViewLine(view, call)), 0u);
    }

    // "X" closes the current tab; the next one moves into its place.
    ASSERT_TRUE(Click(ID_CLOSE_TAB));
    ASSERT_TRUE(WaitForTabCount(2));
    EXPECT_EQ(LogCount(ViewLine(1, L"Close")), 1u);
    EXPECT_EQ(CurrentTabIndex(), 0);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"New Tab", L"New Tab"}));
    EXPECT_EQ(VisibleViews(), std::vector<int>{2});
    EXPECT_TRUE(WaitForAddressText(kNewTabAddress));

    // Closing the last position makes the new last tab current.
    ASSERT_TRUE(SwitchByClick(1));
    EXPECT_EQ(VisibleViews(), std::vector<int>{3});
    ASSERT_TRUE(Click(ID_CLOSE_TAB));
    ASSERT_TRUE(WaitForTabCount(1));
    EXPECT_EQ(LogCount(ViewLine(3, L"Close")), 1u);
    EXPECT_EQ(CurrentTabIndex(), 0);
    EXPECT_EQ(VisibleViews(), std::vector<int>{2});

    // The last tab stays. The History box below comes up only after this
    // click has been handled.
    ASSERT_TRUE(Click(ID_CLOSE_TAB));
    ASSERT_TRUE(Click(ID_HISTORY));
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(L"History", &box));
    EXPECT_EQ(CountTabs(), 1);
    EXPECT_EQ(LogCount(ViewLine(2, L"Close")), 0u);

    // History: every address any tab showed, oldest first, New Tab pages left out.
    EXPECT_EQ(GetWindow(box, GW_OWNER), Window());
    EXPECT_EQ(MessageBoxText(box),
              L"https://one.example\nhttps://two.example\nhttps://one.example\nhttps://two.example\n");
    ASSERT_TRUE(DismissMessageBox(box));

    EXPECT_TRUE(CloseWindowAndExpectExitCode0());
}

}  // namespace
