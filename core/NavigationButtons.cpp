#include "core/NavigationButtons.h"

#include "core/CommandIds.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

void EnableButton(int id, BOOL enable) {
    const HWND button = GetDlgItem(g_hMainWnd, id);
    if (!enable && GetFocus() == button) SetFocus(g_hMainWnd);
    EnableWindow(button, enable);
}

}  // namespace

void UpdateNavigationButtons() {
    ICoreWebView2* webview = CurrentWebView();
    BOOL canGoBack = TRUE;
    BOOL canGoForward = TRUE;
    if (webview != nullptr && FAILED(webview->get_CanGoBack(&canGoBack))) canGoBack = TRUE;
    if (webview != nullptr && FAILED(webview->get_CanGoForward(&canGoForward))) canGoForward = TRUE;
    EnableButton(ID_BACK, canGoBack);
    EnableButton(ID_NEXT, canGoForward);
}

HRESULT OnHistoryChanged(ICoreWebView2* sender, IUnknown* /*args*/) {
    if (sender != nullptr && sender == CurrentWebView()) UpdateNavigationButtons();
    return S_OK;
}
