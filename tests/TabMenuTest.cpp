// The tab menu: its items and their greying, one menu per right click,
// Shift+F10 and the Menu key on the strip, and what the items do.
#include "tests/TabInput.h"

#include "core/AppMessages.h"
#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "shell/TabMenu.h"

#include <commctrl.h>

#include <functional>

namespace {

using TabMenu = ReliabilityFixture;

// Tab `index`'s menu as shown: "~" before a greyed item, "-" a separator.
std::wstring TabMenuItems(int index) {
    const HMENU menu = CreateTabMenu(index);
    std::wstring items;
    for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        items += ((state & MF_SEPARATOR) ? L"-" : ((state & MF_GRAYED) ? L"~" : L"") + std::wstring(text)) + L"|";
    }
    DestroyMenu(menu);
    return items;
}

int g_menusOpened = 0;
WORD g_choice = 0;

// Answers the first menu the main window opens with the key g_choice, any other with Escape.
LRESULT CALLBACK AnswerMenu(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_INITMENUPOPUP) {
        const WORD key = ++g_menusOpened == 1 ? g_choice : VK_ESCAPE;
        Send({KeyInput(key, false), KeyInput(key, true)});
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Does `act` with the menus it opens answered; returns how many opened.
int MenusAnswered(WORD choice, const std::function<void()>& act) {
    g_menusOpened = 0;
    g_choice = choice;
    SetWindowSubclass(g_hMainWnd, AnswerMenu, 1, 0);
    act();
    RemoveWindowSubclass(g_hMainWnd, AnswerMenu, 1);
    return g_menusOpened;
}

void Command(int id, int index) { SendMessageW(g_hMainWnd, WM_APP_TAB_COMMAND, static_cast<WPARAM>(id), index); }

TEST_F(TabMenu, ItemsAreGreyedWhereTheyCannotAct) {
    StartEngine();
    const std::wstring head = L"&New tab|&Reload|&Duplicate|&Mute tab|-|";
    EXPECT_EQ(TabMenuItems(0), head + L"~&Close tab|~Close &other tabs|~Close tabs to the r&ight|-|~R&eopen closed tab|");
    OpenTabs(3);
    CloseTab(3);
    const std::wstring all = head + L"&Close tab|Close &other tabs|Close tabs to the r&ight|-|R&eopen closed tab|";
    EXPECT_EQ(TabMenuItems(0), all);
    EXPECT_EQ(TabMenuItems(1), all);
    EXPECT_EQ(TabMenuItems(2), head + L"&Close tab|Close &other tabs|~Close tabs to the r&ight|-|R&eopen closed tab|");
}

// "Mute tab" mutes the menu's tab only, until "Unmute tab"; it stays muted
// across navigations.
TEST_F(TabMenu, MuteTabMutesThatTabAcrossNavigations) {
    StartEngine();
    OpenTabs(1);
    PressEnterInAddressBar(L"https://a.test/");
    EXPECT_EQ(MenusAnswered('M', [] { ClickTab(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }), 1);
    Settle();
    EXPECT_TRUE(devengine::GetView(TabViewIds()[1]).muted);
    EXPECT_FALSE(devengine::GetView(TabViewIds()[0]).muted);
    PressEnterInAddressBar(L"https://b.test/");
    EXPECT_TRUE(devengine::GetView(TabViewIds()[1]).muted);
    EXPECT_NE(TabMenuItems(1).find(L"|Un&mute tab|"), std::wstring::npos);
    EXPECT_NE(TabMenuItems(0).find(L"|&Mute tab|"), std::wstring::npos);
    Command(ID_TOGGLE_MUTE_TAB_AT, 1);
    Command(ID_TOGGLE_MUTE_TAB_AT, -1);  // a tab closed meanwhile
    Settle();
    EXPECT_FALSE(devengine::GetView(TabViewIds()[1]).muted);
    EXPECT_EQ(Calls(TabViewIds()[1], L"put_IsMuted"),
              (std::vector<std::wstring>{L"put_IsMuted 1", L"put_IsMuted 0"}));
}

// An engine without sound control: the item is there, greyed, and does nothing.
TEST_F(TabMenu, MuteTabIsGreyedOnAnEngineWithoutIt) {
    devengine::GetKnobs().withholdAudio = true;
    StartEngine();
    EXPECT_NE(TabMenuItems(0).find(L"|&Duplicate|~&Mute tab|-|"), std::wstring::npos);
    Command(ID_TOGGLE_MUTE_TAB_AT, 0);
    EXPECT_TRUE(Calls(TabViewIds()[0], L"put_IsMuted").empty());
}

TEST_F(TabMenu, ARightClickShiftF10OrTheMenuKeyOpensOneMenu) {
    StartEngine();
    OpenTabs(3);
    SelectTab(1);
    PressEnterInAddressBar(L"https://one.test/");
    SelectTab(3);
    // The menu of the tab right-clicked: its copy comes right after it, current.
    EXPECT_EQ(MenusAnswered('D', [] { ClickTab(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }), 1);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 5, 3, 4}));
    EXPECT_EQ(g_currentTab, 2);
    EXPECT_EQ(SourceOfTab(2), L"https://one.test/");
    // From the keyboard, once a click on the current tab has given the strip
    // the focus: the current tab's menu.
    ClickTab(2);
    ASSERT_EQ(GetFocus(), g_hTabCtrl);
    EXPECT_EQ(MenusAnswered('I', [] { PressKeys({VK_SHIFT, VK_F10}); }), 1);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2, 5}));
    SelectTab(1);
    ClickTab(1);
    EXPECT_EQ(MenusAnswered('O', [] { PressKeys({VK_APPS}); }), 1);
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

    // The current tab was among those closed: the menu's tab becomes current.
    Command(ID_CLOSE_TABS_RIGHT_OF, 1);
    EXPECT_EQ(TabViewIds(), (std::vector<int>{1, 2}));
    EXPECT_EQ(g_currentTab, 1);
    ExpectConsistent();
    Command(ID_CLOSE_OTHER_TABS_AT, 0);
    EXPECT_EQ(TabViewIds(), std::vector<int>{1});
    ExpectConsistent();
    EXPECT_EQ(g_closedTabs, (std::vector<std::wstring>{L"https://2.test/", L"https://3.test/", L"https://4.test/",
                                                       L"https://1.test/"}));

    // A copy goes after its tab wherever that is when the copy arrives.
    SendMessageW(g_hMainWnd, WM_COMMAND, MAKEWPARAM(ID_NEW_TAB, 0), 0);
    Settle();
    Command(ID_DUPLICATE_TAB_AT, 0);
    MoveTab(0, 1);
    Settle();
    EXPECT_EQ(SourceOfTab(2), L"https://0.test/");
    EXPECT_EQ(g_currentTab, 2);
    ExpectConsistent();
}

}  // namespace
