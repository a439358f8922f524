#include "core/Layout.h"

#include "core/FullScreen.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

void ResizeBrowser() {
    if (g_currentTab == -1) return;

    RECT rc;
    GetClientRect(g_hMainWnd, &rc);
    if (IsWindowFullScreen()) {
        // The controls are hidden: the page has the whole client area.
        if (g_currentTab != -1) g_tabs[g_currentTab].controller->put_Bounds(rc);
        return;
    }
    const int width = rc.right;

    MoveWindow(g_hTabCtrl, 0, 0, width - 80, 30, TRUE);
    MoveWindow(g_hNewTabButton, width - 75, 2, 30, 25, TRUE);
    MoveWindow(g_hCloseTabButton, width - 40, 2, 30, 25, TRUE);
    MoveWindow(g_hAddressBar, 180, 35, width - 260, 25, TRUE);
    MoveWindow(g_hHistoryButton, width - 75, 35, 70, 25, TRUE);

    RECT webRect = rc;
    webRect.top = kPageTop;
    g_tabs[g_currentTab].controller->put_Bounds(webRect);
}
