#include "core/Layout.h"

#include "core/CommandIds.h"
#include "core/MemoryLevels.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

bool g_minimised = false;
bool g_pageFillsWindow = false;  // the controls are hidden, the page has the whole client area

}  // namespace

void ResizeBrowser() {
    // The controls' parent is the main window; g_hMainWnd is not assigned yet
    // during its creation, when the first WM_SIZE comes.
    const HWND window = GetParent(g_hTabCtrl);
    if (window == nullptr) return;

    RECT rc;
    GetClientRect(window, &rc);
    if (g_pageFillsWindow) {
        if (ICoreWebView2Controller* controller = CurrentController()) controller->put_Bounds(rc);
        return;
    }
    const int width = rc.right;

    // All eight controls, with or without a tab: the window stays usable when
    // the engine could not start.
    MoveWindow(g_hTabCtrl, 0, 0, width - 80, 30, TRUE);
    MoveWindow(g_hNewTabButton, width - 75, 2, 30, 25, TRUE);
    MoveWindow(g_hCloseTabButton, width - 40, 2, 30, 25, TRUE);
    MoveWindow(GetDlgItem(window, ID_BACK), 5, 35, 50, 25, TRUE);
    MoveWindow(GetDlgItem(window, ID_NEXT), 60, 35, 50, 25, TRUE);
    MoveWindow(GetDlgItem(window, ID_RELOAD), 115, 35, 60, 25, TRUE);
    MoveWindow(g_hAddressBar, 180, 35, width - 260, 25, TRUE);
    MoveWindow(g_hHistoryButton, width - 75, 35, 70, 25, TRUE);

    ICoreWebView2Controller* controller = CurrentController();
    if (controller == nullptr) return;
    RECT webRect = rc;
    webRect.top = kPageTop;
    controller->put_Bounds(webRect);
}

void SetPageFillsWindow(bool fills) {
    g_pageFillsWindow = fills;
    const HWND controls[] = {g_hTabCtrl,
                             g_hNewTabButton,
                             g_hCloseTabButton,
                             GetDlgItem(g_hMainWnd, ID_BACK),
                             GetDlgItem(g_hMainWnd, ID_NEXT),
                             GetDlgItem(g_hMainWnd, ID_RELOAD),
                             g_hAddressBar,
                             g_hHistoryButton};
    const HWND focus = GetFocus();
    for (HWND control : controls) {
        if (fills && focus == control) SetFocus(g_hMainWnd);
    }
    for (HWND control : controls) ShowWindow(control, fills ? SW_HIDE : SW_SHOW);
}

void OnMainWindowSized(WPARAM kind) {
    // The page of a minimised window is hidden from the engine, so that it
    // can throttle it; restoring shows it again, at its bounds.
    const bool minimised = kind == SIZE_MINIMIZED;
    if (minimised != g_minimised) {
        g_minimised = minimised;
        // Hidden before the low level; the normal level before it shows.
        ICoreWebView2Controller* controller = CurrentController();
        if (controller != nullptr && minimised) controller->put_IsVisible(FALSE);
        SetTabInBackground(g_currentTab, minimised);
        if (controller != nullptr && !minimised) controller->put_IsVisible(TRUE);
    }
    if (!minimised) ResizeBrowser();
}

void OnMainWindowMoved() {
    // The engine places its drop-downs and input method windows by it.
    if (ICoreWebView2Controller* controller = CurrentController()) controller->NotifyParentWindowPositionChanged();
}
