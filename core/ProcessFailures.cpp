#include "core/ProcessFailures.h"

#include "core/AppMessages.h"
#include "core/ClosedTabs.h"
#include "core/EngineStart.h"
#include "core/FullScreen.h"
#include "core/Loading.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wrl/client.h>

#include <algorithm>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

bool g_askingAboutHang = false;

// One tab waiting to come back after the engine's browser process exited.
struct TabToReopen {
    std::wstring address;       // where it was
    ComPtr<ICoreWebView2> back;  // its new web view once it is back; null until then
    bool settled = false;       // back, or given up and put among the closed tabs
    ComPtr<ICoreWebView2Environment> lostIn;  // the engine that could not make it, when given up
};

// The recovery's state, in one place: every tab to reopen, in tab order, kept
// until each is back or given up, so that another exit of the engine in the
// meantime reopens those not back yet as well.
std::vector<TabToReopen> g_tabsToReopen;
int g_currentToReopen = -1;  // which of them was current

// Whether a tab has seen the browser process exit, and so the recovery is on its way.
bool IsRecoveryPosted() {
    return std::any_of(g_tabs.begin(), g_tabs.end(), [](const BrowserTab& tab) { return tab.failure.browserExited; });
}

void PostTabFailure() {
    PostMessageW(g_hMainWnd, WM_APP_TAB_PROCESS_FAILED, 0, 0);
}

// The tabs to reopen now: those open, in the strip's order, at their latest
// address, and those of an earlier recovery not back yet, each after the tab
// that came before it. The tab current before the first exit stays current
// while it is not back.
void CollectTabsToReopen() {
    std::vector<TabToReopen> collected;
    int currentNotBack = -1;
    int currentOpen = -1;
    auto add = [&collected](const std::wstring& address) {
        TabToReopen tab;
        tab.address = address;
        collected.push_back(tab);
        return static_cast<int>(collected.size()) - 1;
    };
    size_t nextOpen = 0;
    auto addOpenTabsBefore = [&](size_t end) {
        for (; nextOpen < end; ++nextOpen) {
            const int added = add(g_tabs[nextOpen].lastSource);
            if (static_cast<int>(nextOpen) == g_currentTab) currentOpen = added;
        }
    };
    for (size_t i = 0; i < g_tabsToReopen.size(); ++i) {
        const TabToReopen& earlier = g_tabsToReopen[i];
        // Refused by the engine that is exiting now, for that very reason:
        // back out of the closed tabs (unless the user reopened it already).
        const bool refusedByDyingEngine = earlier.settled && !earlier.back && earlier.lostIn &&
                                          earlier.lostIn == g_environment && ForgetClosedTab(earlier.address);
        if (!earlier.settled || refusedByDyingEngine) {
            const int added = add(earlier.address);
            if (static_cast<int>(i) == g_currentToReopen) currentNotBack = added;
            continue;
        }
        const int index = earlier.back ? FindTabByWebView(earlier.back.Get()) : -1;
        if (index != -1) addOpenTabsBefore(static_cast<size_t>(index) + 1);
    }
    addOpenTabsBefore(g_tabs.size());
    // An engine that failed before any tab came still gets one.
    if (collected.empty()) add(std::wstring());
    g_tabsToReopen.swap(collected);
    g_currentToReopen = currentNotBack != -1 ? currentNotBack : (currentOpen != -1 ? currentOpen : 0);
}

// Where reopened tab `position` goes: right after the nearest one before it that is back.
size_t ReopenedTabIndex(size_t position) {
    for (size_t i = position; i-- > 0;) {
        const int index = g_tabsToReopen[i].back ? FindTabByWebView(g_tabsToReopen[i].back.Get()) : -1;
        if (index != -1) return static_cast<size_t>(index) + 1;
    }
    return 0;
}

// Once every tab is back, the recovery is over. A tab given up is kept in
// mind until the next recovery: the engine that
// refused it may turn out to have been exiting.
void ForgetRecoveryWhenDone() {
    for (const TabToReopen& tab : g_tabsToReopen) {
        if (!tab.settled || tab.lostIn) return;
    }
    g_tabsToReopen.clear();
    g_currentToReopen = -1;
}

void RequestReopenedTab(size_t position) {
    TabRequest request;
    request.position = [position] { return ReopenedTabIndex(position); };
    request.makeCurrent = static_cast<int>(position) == g_currentToReopen;
    request.show = [position](BrowserTab& tab) {
        TabToReopen& reopened = g_tabsToReopen[position];
        reopened.back = tab.webview;
        reopened.settled = true;
        ShowAddress(tab, reopened.address);
        ForgetRecoveryWhenDone();
    };
    request.failed = [position](HRESULT failure, bool stale) {
        // The engine failed again: the next recovery takes this tab along.
        if (stale) return;
        // The engine works but this tab cannot be made: Ctrl+Shift+T may bring it back.
        TabToReopen& lost = g_tabsToReopen[position];
        lost.settled = true;
        lost.lostIn = g_environment;
        RememberClosedTab(lost.address);
        ReportIfNoTabs(failure);
        ForgetRecoveryWhenDone();
    };
    RequestTab(g_hMainWnd, std::move(request));
}

HRESULT OnRecoveredEnvironment(HRESULT result, ICoreWebView2Environment* environment) {
    if (!KeepEnvironment(result, environment)) return S_OK;
    const size_t count = g_tabsToReopen.size();
    for (size_t position = 0; position < count; ++position) RequestReopenedTab(position);
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
    CollectTabsToReopen();

    // The dead objects go first, then the environment.
    EndPageFullScreen();
    for (const BrowserTab& tab : g_tabs) tab.controller->Close();
    ClearTabs();
    UpdateReloadButton();
    g_environment.Reset();

    RequestEnvironment(
        MakeHandler<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(OnRecoveredEnvironment).Get());
}

void ForgetEngineRecovery() {
    g_tabsToReopen.clear();
    g_currentToReopen = -1;
}
