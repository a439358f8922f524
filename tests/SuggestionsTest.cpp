// The address bar's suggestion list on the real main window, with real key
// presses and clicks through the browser's own message loop: typing opens it,
// Down and Up choose, Enter and a click navigate, Escape closes it first.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/AddressBarText.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/AddressSuggestionList.h"

#include <windowsx.h>

#include <utility>

namespace {

class Suggestions : public ReliabilityFixture {
protected:
    // Starts with one tab that visited `addresses` in turn.
    void Visit(const std::vector<std::wstring>& addresses) {
        StartEngine();
        for (const std::wstring& address : addresses) PressEnterInAddressBar(address);
    }

    // Clears the bar and types `text` into it, as the user does.
    static void TypeIntoBar(const std::wstring& text) {
        SetFocus(g_hAddressBar);
        SetWindowTextW(g_hAddressBar, L"");
        std::vector<INPUT> inputs;
        for (wchar_t c : text) inputs.insert(inputs.end(), {UnicodeInput(c, false), UnicodeInput(c, true)});
        Send(inputs);
        RunLoopUntilInputHandled();
    }

    static void Press(WORD key) {
        Send({KeyInput(key, false), KeyInput(key, true)});
        RunLoopUntilInputHandled();
    }

    static std::vector<std::wstring> Navigations() { return Calls(TabViewIds()[g_currentTab], L"Navigate "); }
};

TEST_F(Suggestions, DownUpAndEnterLandExactlyOnTheChosenAddress) {
    Visit({L"https://www.example.com/alpha", L"http://localhost:8080/beta"});
    TypeIntoBar(L"local");
    ASSERT_TRUE(SuggestionsShown());
    EXPECT_EQ(ListBox_GetCount(g_hSuggestionList), 1);

    Press(VK_DOWN);
    EXPECT_EQ(AddressBarText(), L"http://localhost:8080/beta");
    Press(VK_UP);
    EXPECT_EQ(AddressBarText(), L"local");
    Press(VK_DOWN);
    Press(VK_DOWN);  // stays on the last entry
    EXPECT_EQ(AddressBarText(), L"http://localhost:8080/beta");
    Press(VK_RETURN);
    EXPECT_FALSE(SuggestionsShown());
    EXPECT_EQ(Navigations().back(), L"Navigate http://localhost:8080/beta");

    // An address the bar's rules would turn into a search still lands as it is.
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[g_currentTab], L"about:blank"));
    Settle();
    TypeIntoBar(L"ABOUT");
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(Navigations().back(), L"Navigate about:blank");
    // Typed rather than chosen, the rules apply as before.
    PressEnterInAddressBar(L"about:blank");
    EXPECT_EQ(Navigations().back().find(L"Navigate https://www.google.com/search?q="), 0u);
}

TEST_F(Suggestions, EscapeClosesTheListThenRestoresTheAddress) {
    Visit({L"https://www.example.com/alpha", L"https://b.test/"});
    TypeIntoBar(L"exa");
    ASSERT_TRUE(SuggestionsShown());
    Press(VK_ESCAPE);
    EXPECT_FALSE(SuggestionsShown());
    EXPECT_EQ(AddressBarText(), L"exa");
    Press(VK_ESCAPE);
    EXPECT_EQ(AddressBarText(), L"https://b.test/");

    // The browser setting the bar's text, and the focus leaving it, close the list.
    TypeIntoBar(L"exa");
    ASSERT_TRUE(SuggestionsShown());
    ShowCurrentAddress();
    EXPECT_FALSE(SuggestionsShown());
    TypeIntoBar(L"exa");
    SetFocus(g_hTabCtrl);
    EXPECT_FALSE(SuggestionsShown());
}

TEST_F(Suggestions, AClickOnAnEntryNavigatesToIt) {
    Visit({L"https://a.test/1", L"https://b.test/", L"https://a.test/2", L"https://a.test/3"});
    TypeIntoBar(L"a.test");
    ASSERT_EQ(ListBox_GetCount(g_hSuggestionList), 3);
    Send(ClickInputs(g_hSuggestionList, 1));  // its middle: the second entry
    RunLoopUntilInputHandled();
    EXPECT_EQ(Navigations().back(), L"Navigate https://a.test/2");
    EXPECT_FALSE(SuggestionsShown());
    EXPECT_EQ(GetFocus(), g_hAddressBar);
}

TEST_F(Suggestions, AChosenEntryEndsTheTypingSoTheBarFollowsARedirect) {
    Visit({L"https://a.test/1", L"https://b.test/"});
    TypeIntoBar(L"a.test");
    Send(ClickInputs(g_hSuggestionList, 1));
    RunLoopUntilInputHandled();
    ASSERT_EQ(Navigations().back(), L"Navigate https://a.test/1");
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[g_currentTab], L"https://evil.test/landing"));
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://evil.test/landing");
}

TEST_F(Suggestions, ShiftCtrlAndAltWithTheArrowsAreTheEditControls) {
    Visit({L"https://www.example.com/alpha"});
    TypeIntoBar(L"exa");
    ASSERT_TRUE(SuggestionsShown());
    for (WORD modifier : {VK_SHIFT, VK_CONTROL}) {
        for (WORD arrow : {VK_DOWN, VK_UP}) {
            Send({KeyInput(modifier, false), KeyInput(arrow, false), KeyInput(arrow, true), KeyInput(modifier, true)});
            RunLoopUntilInputHandled();
            EXPECT_EQ(AddressBarText(), L"exa") << modifier << " " << arrow;
        }
    }
    EXPECT_EQ(ListBox_GetCurSel(g_hSuggestionList), LB_ERR) << "no entry was chosen";
    Press(VK_DOWN);
    EXPECT_EQ(AddressBarText(), L"https://www.example.com/alpha");
}

// What the user typed stays, caret and selection too, while the window is
// left (Alt+Tab, another program) and the page changes its address meanwhile.
TEST_F(Suggestions, TypingSurvivesLeavingTheWindow) {
    Visit({L"https://a.test/"});
    TypeIntoBar(L"half typ");
    Send({KeyInput(VK_SHIFT, false), KeyInput(VK_LEFT, false), KeyInput(VK_LEFT, true), KeyInput(VK_SHIFT, true)});
    RunLoopUntilInputHandled();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(g_hAddressBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ASSERT_EQ(std::make_pair(start, end), std::make_pair(DWORD{7}, DWORD{8}));

    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_NE(GetActiveWindow(), g_hMainWnd);
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[g_currentTab], L"https://a.test/#moved"));
    Settle();
    SetForegroundWindow(g_hMainWnd);
    DestroyWindow(other);
    Settle();
    EXPECT_EQ(GetFocus(), g_hAddressBar);
    EXPECT_EQ(AddressBarText(), L"half typ");
    SendMessageW(g_hAddressBar, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{7}, DWORD{8}));

    // A move of the focus inside the window ends the typing.
    SetFocus(g_hTabCtrl);
    ASSERT_TRUE(devengine::TriggerSourceChange(TabViewIds()[g_currentTab], L"https://a.test/#again"));
    Settle();
    EXPECT_EQ(AddressBarText(), L"https://a.test/#again");
}

}  // namespace
