#include "core/TabCreation.h"

#include "core/FullScreen.h"
#include "core/History.h"
#include "core/Loading.h"
#include "core/NavigationButtons.h"
#include "core/NewTabPage.h"
#include "core/Shortcuts.h"
#include "core/NewWindows.h"
#include "core/ProcessFailures.h"
#include "core/TabTitles.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <commctrl.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

ComPtr<ICoreWebView2Environment> g_environment;

namespace {

CreateEnvironmentWithOptionsFn g_createEnvironment = nullptr;
std::wstring g_userDataFolder;
bool g_engineFailureReported = false;

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
    tab.webview->add_NewWindowRequested(
        MakeHandler<ICoreWebView2NewWindowRequestedEventHandler>(OnNewWindowRequested).Get(), nullptr);
    tab.webview->add_ProcessFailed(MakeHandler<ICoreWebView2ProcessFailedEventHandler>(OnProcessFailed).Get(),
                                   nullptr);
    tab.webview->add_NavigationStarting(
        MakeHandler<ICoreWebView2NavigationStartingEventHandler>(OnNavigationStarting).Get(), nullptr);
    tab.webview->add_NavigationCompleted(
        MakeHandler<ICoreWebView2NavigationCompletedEventHandler>(OnNavigationCompleted).Get(), nullptr);
    tab.webview->add_ContainsFullScreenElementChanged(
        MakeHandler<ICoreWebView2ContainsFullScreenElementChangedEventHandler>(OnContainsFullScreenElementChanged)
            .Get(),
        nullptr);
}

void InsertTabStripItem(int index) {
    wchar_t caption[] = L"New Tab";
    TCITEMW tie = {};
    tie.mask = TCIF_TEXT;
    tie.pszText = caption;
    SendMessageW(g_hTabCtrl, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tie));
}

}  // namespace

HRESULT StartEngineEnvironment(CreateEnvironmentWithOptionsFn createEnvironment, const std::wstring& userDataFolder) {
    g_createEnvironment = createEnvironment;
    g_userDataFolder = userDataFolder;
    return RequestEnvironment(
        MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(OnEnvironmentCreated).Get());
}

HRESULT RequestEnvironment(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* completed) {
    // A new attempt: its failure is a new one, worth telling.
    g_engineFailureReported = false;
    const HRESULT result = g_createEnvironment != nullptr
                               ? g_createEnvironment(nullptr, g_userDataFolder.c_str(), nullptr, completed)
                               : E_UNEXPECTED;
    if (FAILED(result)) ReportEngineFailure(result);
    return result;
}

void ReportEngineFailure(HRESULT failure) {
    if (g_engineFailureReported) return;
    g_engineFailureReported = true;
    PostMessageW(g_hMainWnd, WM_APP_ENGINE_START_FAILED, static_cast<WPARAM>(static_cast<ULONG>(failure)), 0);
}

bool KeepEnvironment(HRESULT result, ICoreWebView2Environment* environment) {
    g_environment = environment;
    if (SUCCEEDED(result) && environment != nullptr) return true;
    ReportEngineFailure(FAILED(result) ? result : E_POINTER);
    return false;
}

HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment) {
    KeepEnvironment(result, environment);
    CreateNewTab(g_hMainWnd);
    return S_OK;
}

void CreateNewTab(HWND parent) {
    if (!g_environment) return;
    const ComPtr<ICoreWebView2Environment> environment = g_environment;
    g_environment->CreateCoreWebView2Controller(
        parent, MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
                    [environment](HRESULT result, ICoreWebView2Controller* controller) {
                        if (IsStaleCompletion(environment.Get(), controller)) return S_OK;
                        return OnControllerCreated(result, controller);
                    })
                    .Get());
}

bool IsStaleCompletion(ICoreWebView2Environment* requestedFrom, ICoreWebView2Controller* controller) {
    if (requestedFrom == g_environment.Get()) return false;
    if (controller != nullptr) controller->Close();
    return true;
}

int AddTab(ICoreWebView2Controller* controller, size_t position, bool makeCurrent) {
    if (controller == nullptr) return -1;

    BrowserTab tab;
    tab.controller = controller;
    tab.controller->get_CoreWebView2(&tab.webview);
    if (!tab.webview) return -1;

    RegisterTabHandlers(tab);
    const int index = static_cast<int>(std::min(position, g_tabs.size()));
    g_tabs.insert(g_tabs.begin() + index, tab);
    InsertTabStripItem(index);
    if (g_currentTab >= index) ++g_currentTab;
    if (makeCurrent || g_currentTab == -1) {
        SwitchToTab(index);
    } else {
        g_tabs[index].controller->put_IsVisible(FALSE);
    }
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(g_currentTab), 0);
    return index;
}

void ShowAddress(BrowserTab& tab, const std::wstring& address) {
    if (address.empty() || IsNewTabPageSource(address)) {
        tab.webview->NavigateToString(NewTabPageHtml);
        return;
    }
    tab.lastSource = address;
    tab.webview->Navigate(address.c_str());
}

void ReportIfNoTabs(HRESULT result) {
    if (g_tabs.empty()) ReportEngineFailure(FAILED(result) ? result : E_NOINTERFACE);
}

HRESULT OnControllerCreated(HRESULT result, ICoreWebView2Controller* controller) {
    const int index = AddTab(controller, g_tabs.size(), true);
    if (index == -1) {
        ReportIfNoTabs(result);
        return S_OK;
    }
    g_tabs[index].webview->NavigateToString(NewTabPageHtml);
    return S_OK;
}

void ReleaseEngineObjects() {
    ClearTabs();
    g_environment.Reset();
    // Whatever starts the engine after this is a new attempt.
    g_engineFailureReported = false;
}
