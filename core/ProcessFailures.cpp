#include "core/ProcessFailures.h"

#include "core/FullScreen.h"
#include "core/Loading.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

bool g_askingAboutHang = false;

// The tabs one recovery reopens, shared by its controller requests, which may
// complete in any order.
struct TabsToReopen {
    ComPtr<ICoreWebView2Environment> environment;  // the new one, asked for the controllers
    std::vector<std::wstring> addresses;  // in tab order
    int current = -1;
    std::vector<bool> arrived;
    size_t outstanding = 0;
};
using TabsToReopenPtr = std::shared_ptr<TabsToReopen>;

// Whether a tab has seen the browser process exit, and so the recovery is on its way.
bool IsRecoveryPosted() {
    return std::any_of(g_tabs.begin(), g_tabs.end(), [](const BrowserTab& tab) { return tab.failure.browserExited; });
}

void PostTabFailure() {
    PostMessageW(g_hMainWnd, WM_APP_TAB_PROCESS_FAILED, 0, 0);
}

void ReopenTab(const TabsToReopenPtr& reopen, size_t position, HRESULT result, ICoreWebView2Controller* controller) {
    // The new engine failed too, and another recovery took over.
    if (IsStaleCompletion(reopen->environment.Get(), controller)) return;
    --reopen->outstanding;
    // Its place among the tabs reopened so far.
    size_t index = 0;
    for (size_t i = 0; i < position; ++i) {
        if (reopen->arrived[i]) ++index;
    }
    const int added = AddTab(controller, index, static_cast<int>(position) == reopen->current);
    if (added == -1) {
        if (reopen->outstanding == 0) ReportIfNoTabs(result);
        return;
    }
    reopen->arrived[position] = true;
    ShowAddress(g_tabs[added], reopen->addresses[position]);
}

HRESULT OnRecoveredEnvironment(const TabsToReopenPtr& reopen, HRESULT result, ICoreWebView2Environment* environment) {
    if (!KeepEnvironment(result, environment)) return S_OK;
    reopen->environment = g_environment;
    for (size_t position = 0; position < reopen->addresses.size(); ++position) {
        auto completed = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
            [reopen, position](HRESULT created, ICoreWebView2Controller* controller) {
                ReopenTab(reopen, position, created, controller);
                return S_OK;
            });
        const HRESULT asked = g_environment->CreateCoreWebView2Controller(g_hMainWnd, completed.Get());
        if (FAILED(asked)) ReopenTab(reopen, position, asked, nullptr);
    }
    return S_OK;
}

void ReloadCrashedTabs() {
    const ULONGLONG now = GetTickCount64();
    for (size_t i = 0; i < g_tabs.size(); ++i) {
        BrowserTab& tab = g_tabs[i];
        TabFailureState& failure = tab.failure;
        if (!failure.reloadPending) continue;
        failure.reloadPending = false;
        // Its page is gone: the full screen it had asked for ends.
        if (static_cast<int>(i) == g_currentTab) EndPageFullScreen();
        if (failure.lastCrashReload != 0 && now - failure.lastCrashReload < kCrashReloadIntervalMs) continue;
        failure.lastCrashReload = now;
        tab.webview->Reload();
    }
}

int FirstHungTab() {
    for (size_t i = 0; i < g_tabs.size(); ++i) {
        if (g_tabs[i].failure.hangPending) return static_cast<int>(i);
    }
    return -1;
}

void AskAboutHang(HWND owner, int index) {
    g_tabs[index].failure.hangPending = false;
    const ComPtr<ICoreWebView2> webview = g_tabs[index].webview;
    const std::wstring& source = g_tabs[index].lastSource;
    const std::wstring text = L"This page is not responding:\n" +
                              (source.empty() ? std::wstring(L"(no address)") : AddressForDisplay(source)) +
                              L"\n\nReload it?";
    const int answer = MessageBoxW(owner, text.c_str(), kMainWindowTitle, MB_YESNO | MB_ICONWARNING);
    // The box ran a message loop of its own: the tab may have moved or gone.
    const int now = FindTabByWebView(webview.Get());
    if (answer != IDYES || now == -1) return;
    // A reload starts the page afresh: a hang after it is a new one.
    g_tabs[now].failure.hangAsked = false;
    webview->Reload();
}

}  // namespace

HRESULT OnProcessFailed(ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args) {
    const int index = FindTabByWebView(sender);
    COREWEBVIEW2_PROCESS_FAILED_KIND kind = COREWEBVIEW2_PROCESS_FAILED_KIND_UNKNOWN_PROCESS_EXITED;
    if (index == -1 || FAILED(args->get_ProcessFailedKind(&kind))) return S_OK;

    TabFailureState& failure = g_tabs[index].failure;
    switch (kind) {
        case COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED:
            // Every web view of the environment reports it: recover once.
            if (!IsRecoveryPosted()) PostMessageW(g_hMainWnd, WM_APP_RECOVER_ENGINE, 0, 0);
            failure.browserExited = true;
            break;
        case COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED:
            // Its navigation died with the process; no completion may come.
            SetTabLoading(index, false);
            failure.reloadPending = true;
            // A page whose process is gone no longer hangs.
            failure.hangPending = false;
            failure.hangAsked = false;
            PostTabFailure();
            break;
        case COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE:
            if (failure.hangAsked) break;
            failure.hangAsked = true;
            failure.hangPending = true;
            PostTabFailure();
            break;
        default:
            // Frame, GPU, utility and other processes: the engine restarts them itself.
            break;
    }
    return S_OK;
}

void HandleTabProcessFailures(HWND owner) {
    ReloadCrashedTabs();
    // One box at a time: a failure posted while one is open waits for this loop.
    if (g_askingAboutHang) return;
    g_askingAboutHang = true;
    for (int index = FirstHungTab(); index != -1; index = FirstHungTab()) AskAboutHang(owner, index);
    g_askingAboutHang = false;
}

void RecoverEngine() {
    if (!IsRecoveryPosted()) return;
    auto reopen = std::make_shared<TabsToReopen>();
    for (const BrowserTab& tab : g_tabs) reopen->addresses.push_back(tab.lastSource);
    if (reopen->addresses.empty()) reopen->addresses.push_back(std::wstring());
    reopen->current = g_currentTab;
    reopen->arrived.assign(reopen->addresses.size(), false);
    reopen->outstanding = reopen->addresses.size();

    // The dead objects go first, then the environment.
    EndPageFullScreen();
    for (const BrowserTab& tab : g_tabs) tab.controller->Close();
    ClearTabs();
    UpdateReloadButton();
    g_environment.Reset();

    RequestEnvironment(MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(
                           [reopen](HRESULT result, ICoreWebView2Environment* environment) {
                               return OnRecoveredEnvironment(reopen, result, environment);
                           })
                           .Get());
}
