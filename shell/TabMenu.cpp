#include "shell/TabMenu.h"

#include "core/AppMessages.h"
#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/TabSound.h"
#include "core/Tabs.h"

#include <commctrl.h>
#include <windowsx.h>
#include <wrl/client.h>

namespace {

void AddItem(HMENU menu, UINT command, const wchar_t* text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, text);
}

}  // namespace

HMENU CreateTabMenu(int index) {
    const bool onlyTab = g_tabs.size() < 2;
    const bool lastTab = static_cast<size_t>(index) + 1 >= g_tabs.size();
    HMENU menu = CreatePopupMenu();
    AddItem(menu, ID_NEW_TAB, L"&New tab", true);
    AddItem(menu, ID_RELOAD_TAB_AT, L"&Reload", true);
    AddItem(menu, ID_DUPLICATE_TAB_AT, L"&Duplicate", true);
    AddItem(menu, ID_TOGGLE_MUTE_TAB_AT, IsTabMuted(index) ? L"Un&mute tab" : L"&Mute tab", CanMuteTab(index));
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, ID_CLOSE_TAB_AT, L"&Close tab", !onlyTab);
    AddItem(menu, ID_CLOSE_OTHER_TABS_AT, L"Close &other tabs", !onlyTab);
    AddItem(menu, ID_CLOSE_TABS_RIGHT_OF, L"Close tabs to the r&ight", !lastTab);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, ID_REOPEN_CLOSED_TAB, L"R&eopen closed tab", !g_closedTabs.empty());
    return menu;
}

void ShowTabMenu(HWND strip, int index, POINT at) {
    if (!IsTabIndex(index)) return;
    // The menu's own loop runs the engine's events: by the time an item is
    // chosen the tab may have moved or closed, so it is found again then.
    const Microsoft::WRL::ComPtr<ICoreWebView2> tab = g_tabs[index].webview;
    HMENU menu = CreateTabMenu(index);
    const HWND owner = GetParent(strip);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, owner,
                       nullptr));
    DestroyMenu(menu);
    if (command == ID_NEW_TAB || command == ID_REOPEN_CLOSED_TAB) {
        SendMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    } else if (command != 0) {
        // A closed tab's index is -1, which the tab commands ignore.
        SendMessageW(owner, WM_APP_TAB_COMMAND, command, FindTabByWebView(tab.Get()));
    }
}

bool OnTabStripContextMenu(HWND strip, LPARAM lParam) {
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: the current tab's menu, just under it.
        RECT item = {};
        if (!SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(g_currentTab), reinterpret_cast<LPARAM>(&item))) {
            return false;
        }
        at = POINT{item.left, item.bottom};
        ClientToScreen(strip, &at);
        ShowTabMenu(strip, g_currentTab, at);
        return true;
    }
    TCHITTESTINFO hit = {};
    hit.pt = at;
    ScreenToClient(strip, &hit.pt);
    const int index = static_cast<int>(SendMessageW(strip, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index < 0) return false;
    ShowTabMenu(strip, index, at);
    return true;
}
