// The address bar's suggestion list on the real main window, with real key
// presses and clicks through the browser's own message loop: typing opens it,
// Down and Up choose, Enter and a click navigate, Escape closes it first.
#include "tests/reliability/ReliabilityFixture.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/AddressSuggestionList.h"

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
        for (wchar_t c : text) {
            inputs.push_back(UnicodeInput(c, false));
            inputs.push_back(UnicodeInput(c, true));
        }
        Send(inputs);
        RunLoopUntilInputHandled();
    }

    static void Press(WORD key) {
        Send({KeyInput(key, false), KeyInput(key, true)});
        RunLoopUntilInputHandled();
    }

    static std::vector<std::wstring> ListedEntries() {
        std::vector<std::wstring> entries;
        if (!IsWindowVisible(g_hSuggestionList)) return entries;
        const int count = static_cast<int>(SendMessageW(g_hSuggestionList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring text(SendMessageW(g_hSuggestionList, LB_GETTEXTLEN, i, 0), L'\0');
            SendMessageW(g_hSuggestionList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
            entries.push_back(text);
        }
        return entries;
    }

    static std::vector<std::wstring> Navigations() { return Calls(TabViewIds()[g_currentTab], L"Navigate "); }
};

TEST_F(Suggestions, DownUpAndEnterLandExactlyOnTheChosenAddress) {
    Visit({L"https://www.example.com/alpha", L"http://localhost:8080/beta"});
    TypeIntoBar(L"local");
    EXPECT_EQ(ListedEntries(), std::vector<std::wstring>{L"http://localhost:8080/beta"});

    Press(VK_DOWN);
    EXPECT_EQ(AddressBarText(), L"http://localhost:8080/beta");
    EXPECT_EQ(SendMessageW(g_hSuggestionList, LB_GETCURSEL, 0, 0), 0);
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
    Visit({L"https://a.test/one", L"https://b.test/two", L"https://a.test/three"});
    TypeIntoBar(L"a.test");
    ASSERT_EQ(ListedEntries(), (std::vector<std::wstring>{L"https://a.test/three", L"https://a.test/one"}));

    RECT item;
    SendMessageW(g_hSuggestionList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(g_hSuggestionList, nullptr, reinterpret_cast<POINT*>(&item), 2);
    INPUT click = {};
    click.type = INPUT_MOUSE;
    click.mi.dx = ((item.left + item.right) / 2 * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    click.mi.dy = ((item.top + item.bottom) / 2 * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs;
    for (DWORD flags : {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        click.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(click);
    }
    Send(inputs);
    RunLoopUntilInputHandled();

    EXPECT_EQ(Navigations().back(), L"Navigate https://a.test/one");
    EXPECT_FALSE(SuggestionsShown());
    EXPECT_EQ(GetFocus(), g_hAddressBar);
}

}  // namespace
