#include "core/ProcessFailures.h"

#include "core/AppMessages.h"
#include "core/FullScreen.h"
#include "core/Loading.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <wrl/client.h>

#include <algorithm>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

bool g_askingAboutHang = false;

void PostTabFailure() {
    PostMessageW(g_hMainWnd, WM_APP_TAB_PROCESS_FAILED, 0, 0);
}

void ReloadCrashedTabs() {
    const ULONGLONG now = GetTickCount64();
    for (size_t i = 0; i < g_tabs.size(); ++i) {
        BrowserTab& tab = g_tabs[i];
        TabFailureState& failure = tab.failure;
        if (!failure.reloadPending) continue;
        failure.reloadPending = false;
        // Its page is gone: the full screen it had asked for ends.
        EndTabFullScreen(static_cast<int>(i));
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

bool IsRecoveryPosted() {
    return std::any_of(g_tabs.begin(), g_tabs.end(), [](const BrowserTab& tab) { return tab.failure.browserExited; });
}
