#include "core/Loading.h"

#include "core/CommandIds.h"
#include "core/ShownTooltips.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <cwchar>

const wchar_t* ReloadButtonText(bool loading) { return loading ? L"Stop" : L"Reload"; }

void UpdateReloadButton() {
    const bool loading = IsTabIndex(g_currentTab) && g_tabs[g_currentTab].loading;
    const HWND button = GetDlgItem(g_hMainWnd, ID_RELOAD);
    const wchar_t* text = ReloadButtonText(loading);
    wchar_t shown[16] = {};
    GetWindowTextW(button, shown, 16);
    // Only a change is drawn again; the button's tooltip, if it shows, says
    // what a click does now.
    if (wcscmp(shown, text) == 0) return;
    SetWindowTextW(button, text);
    RefreshShownButtonTooltip(button);
}

void SetTabLoading(int index, bool loading) {
    if (!IsTabIndex(index)) return;
    g_tabs[index].loading = loading;
    if (index == g_currentTab) UpdateReloadButton();
}

void ReloadOrStop() {
    ICoreWebView2* webview = CurrentWebView();
    if (webview == nullptr) return;
    if (g_tabs[g_currentTab].loading) {
        webview->Stop();
    } else {
        webview->Reload();
    }
}

HRESULT OnNavigationStarting(ICoreWebView2* sender, ICoreWebView2NavigationStartingEventArgs* args) {
    const int index = FindTabByWebView(sender);
    if (!IsTabIndex(index)) return S_OK;
    UINT64 id = 0;
    // One without an id is taken as the latest.
    if (SUCCEEDED(args->get_NavigationId(&id))) {
        if (id < g_tabs[index].latestNavigation) return S_OK;
        g_tabs[index].latestNavigation = id;
    }
    SetTabLoading(index, true);
    return S_OK;
}

HRESULT OnNavigationCompleted(ICoreWebView2* sender, ICoreWebView2NavigationCompletedEventArgs* args) {
    const int index = FindTabByWebView(sender);
    if (!IsTabIndex(index)) return S_OK;
    UINT64 id = 0;
    // An older navigation that ends (one the latest replaced) changes nothing;
    // one without an id ends the loading, so that it cannot stay on forever.
    if (SUCCEEDED(args->get_NavigationId(&id)) && id < g_tabs[index].latestNavigation) return S_OK;
    SetTabLoading(index, false);
    return S_OK;
}
