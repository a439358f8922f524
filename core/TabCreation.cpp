#include "core/TabCreation.h"

#include "core/History.h"
#include "core/NavigationButtons.h"
#include "core/NewTabPage.h"
#include "core/Shortcuts.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <commctrl.h>

using Microsoft::WRL::ComPtr;

ComPtr<ICoreWebView2Environment> g_environment;

namespace {

// Registers the browser's handlers on a new tab's web view and controller.
void RegisterTabHandlers(BrowserTab& tab) {
    tab.webview->add_WebMessageReceived(
        MakeHandler<ICoreWebView2WebMessageReceivedEventHandler>(OnWebMessageReceived).Get(), nullptr);
    tab.webview->add_DocumentTitleChanged(
        MakeHandler<ICoreWebView2DocumentTitleChangedEventHandler>(OnDocumentTitleChanged).Get(),
        &tab.titleChangedToken);
    tab.webview->add_SourceChanged(MakeHandler<ICoreWebView2SourceChangedEventHandler>(OnSourceChanged).Get(),
                                   nullptr);
    tab.webview->add_HistoryChanged(MakeHandler<ICoreWebView2HistoryChangedEventHandler>(OnHistoryChanged).Get(),
                                    nullptr);
    tab.controller->add_AcceleratorKeyPressed(
        MakeHandler<ICoreWebView2AcceleratorKeyPressedEventHandler>(OnAcceleratorKeyPressed).Get(), nullptr);
}

void AppendTabStripItem() {
    wchar_t caption[] = L"New Tab";
    TCITEMW tie = {};
    tie.mask = TCIF_TEXT;
    tie.pszText = caption;
    SendMessageW(g_hTabCtrl, TCM_INSERTITEMW, g_tabs.size() - 1, reinterpret_cast<LPARAM>(&tie));
}

}  // namespace

HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment) {
    g_environment = environment;
    if (FAILED(result) || environment == nullptr) {
        const HRESULT failure = FAILED(result) ? result : E_POINTER;
        PostMessageW(g_hMainWnd, WM_APP_ENGINE_START_FAILED, static_cast<WPARAM>(static_cast<ULONG>(failure)), 0);
    }
    CreateNewTab(g_hMainWnd);
    return S_OK;
}

void CreateNewTab(HWND parent) {
    if (!g_environment) return;
    g_environment->CreateCoreWebView2Controller(
        parent, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(OnControllerCreated).Get());
}

bool AddTab(ICoreWebView2Controller* controller) {
    if (controller == nullptr) return false;

    BrowserTab tab;
    tab.controller = controller;
    tab.controller->get_CoreWebView2(&tab.webview);
    if (!tab.webview) return false;

    RegisterTabHandlers(tab);
    g_tabs.push_back(tab);
    AppendTabStripItem();
    ActivateTab(static_cast<int>(g_tabs.size()) - 1);
    return true;
}

HRESULT OnControllerCreated(HRESULT /*result*/, ICoreWebView2Controller* controller) {
    if (AddTab(controller)) g_tabs[g_currentTab].webview->NavigateToString(NewTabPageHtml);
    return S_OK;
}

void ReleaseEngineObjects() {
    g_tabs.clear();
    g_environment.Reset();
}
