// The tab menu: its items and their greying, one menu for one right click,
// Shift+F10 and the Menu key on the strip, and what the items do to the tabs
// and to the list of closed tabs.
#include "tests/TabInput.h"

#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/TabMenu.h"

#include <commctrl.h>

namespace {

using TabMenu = ReliabilityFixture;

// A menu's items as shown: the text without its mnemonic mark, " (grey)"
// after a greyed one, "-" for a separator.
std::vector<std::wstring> ItemsOf(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        std::wstring item;
        for (const wchar_t* c = text; *c; ++c) {
            if (*c != L'&') item += *c;
        }
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) item = L"-";
        else if (state & MF_GRAYED) item += L" (grey)";
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> TabMenuItems(int index) {
    const HMENU menu = CreateTabMenu(index);
    const std::vector<std::wstring> items = ItemsOf(menu);
    DestroyMenu(menu);
    return items;
}

// Records each menu the main window opens and answers it with a key: the
// first with `choice`, any other with Escape.
class MenuAnswerer {
public:
    explicit MenuAnswerer(WORD choice) {
        Choice() = choice;
        Menus().clear();
        SetWindowSubclass(g_hMainWnd, Answer, 1, 0);
    }
    ~MenuAnswerer() { RemoveWindowSubclass(g_hMainWnd, Answer, 1); }
    static std::vector<std::vector<std::wstring>>& Menus() {
        static std::vector<std::vector<std::wstring>> menus;
        return menus;
    }

private:
    static WORD& Choice() {
        static WORD choice = 0;
        return choice;
    }
    static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        if (message == WM_INITMENUPOPUP) {
            Menus().push_back(ItemsOf(reinterpret_cast<HMENU>(wParam)));
            const WORD key = Menus().size() == 1 ? Choice() : VK_ESCAPE;
            Send({KeyInput(key, false), KeyInput(key, true)});
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
};

void Command(int id, int index) { SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(id, 0), index); }

TEST_F(TabMenu, ItemsAreGreyedWhereTheyCannotAct) {
    StartEngine();
    const std::vector<std::wstring> all = {L"New tab", L"Reload", L"Duplicate", L"-", L"Close tab",
                                           L"Close other tabs", L"Close tabs to the right", L"-",
                                           L"Reopen closed tab"};
    auto greyed = [&all](std::vector<size_t> positions) {
        std::vector<std::wstring> items = all;
        for (const size_t i : positions) items[i] += L" (grey)";
        return items;
    };
    EXPECT_EQ(TabMenuItems(0), greyed({4, 5, 6, 8})) << "the only tab";
    OpenTabs(3);
    CloseTab(3);
    EXPECT_EQ(TabMenuItems(0), greyed({})) << "the first";
    EXPECT_EQ(TabMenuItems(1), greyed({})) << "a middle one";
    EXPECT_EQ(TabMenuItems(2), greyed({6})) << "the last";
}

TEST_F(TabMenu, ARightClickOpensOneMenuForTheTabUnderIt) {
    StartEngine();
    OpenTabs(2);
    SelectTab(1);
    PressEnterInAddressBar(L"https://one.test/");
    SelectTab(2);
    MenuAnswerer answerer('D');
    RightClickTab(1);
    EXPECT_EQ(MenuAnswerer::Menus().size(), 1u);
    // The copy comes right after the tab, current, at its address.
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(g_currentTab, 2);
    ExpectConsistent();
    EXPECT_EQ(SourceOfTab(2), L"https://one.test/");
}

TEST_F(TabMenu, ShiftF10AndTheMenuKeyOnTheStripOpenTheCurrentTabsMenu) {
    StartEngine();
    OpenTabs(4);
    SelectTab(2);
    // A click on the current tab leaves the keyboard with the strip.
    ClickTab(2);
    ASSERT_EQ(GetFocus(), g_hTabCtrl);
    {
        MenuAnswerer answerer('I');  // close tabs to the right
        PressKeys({VK_SHIFT, VK_F10});
        EXPECT_EQ(MenuAnswerer::Menus().size(), 1u);
    }
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 3}));
    SelectTab(1);
    ClickTab(1);
    {
        MenuAnswerer answerer('O');  // close other tabs
        PressKeys({VK_APPS});
        EXPECT_EQ(MenuAnswerer::Menus().size(), 1u);
    }
    EXPECT_EQ(TabViewIds(), std::vector<int>{2});
    ExpectConsistent();
}

TEST_F(TabMenu, ClosingKeepsTheRulesAndTheRightmostComesBackFirst) {
    StartEngine();
    OpenTabs(4);
    for (int i = 0; i < 5; ++i) {
        SelectTab(i);
        PressEnterInAddressBar(L"https://" + std::to_wstring(i) + L".test/");
    }
    SelectTab(3);
    Command(ID_RELOAD_TAB_AT, 1);
    EXPECT_EQ(Calls(2, L"Reload").size(), 1u);
    EXPECT_TRUE(Calls(4, L"Reload").empty());

    // The current tab was among those closed: the tab of the menu becomes current.
    Command(ID_CLOSE_TABS_RIGHT_OF, 1);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    Command(ID_CLOSE_OTHER_TABS_AT, 0);
    EXPECT_EQ(TabViewIds(), std::vector<int>{1});
    ExpectConsistent();
    Command(ID_CLOSE_TAB_AT, 0);
    EXPECT_EQ(g_tabs.size(), 1u) << "the last tab stays";
    EXPECT_EQ(g_closedTabs, (std::vector<std::wstring>{L"https://2.test/", L"https://3.test/", L"https://4.test/",
                                                       L"https://1.test/"}));
    Command(ID_REOPEN_CLOSED_TAB, 0);
    Settle();
    EXPECT_EQ(SourceOfTab(1), L"https://1.test/");

    // A copy goes after its tab wherever that is when the copy arrives.
    Command(ID_DUPLICATE_TAB_AT, 0);
    MoveTab(0, 1);
    Settle();
    EXPECT_EQ(SourceOfTab(2), L"https://0.test/");
    EXPECT_EQ(g_currentTab, 2);
    ExpectConsistent();
}

}  // namespace
