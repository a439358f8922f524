#include "core/FullScreen.h"

#include "core/Layout.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

namespace {

bool g_keyAsks = false;        // F11 asked for full screen
bool g_fullScreen = false;     // the window is full screen
bool g_wasMaximized = false;   // the window was maximised before it went full screen
bool g_maximiseOnActivation = false;  // it left full screen inactive and is to be maximised when activated
LONG_PTR g_savedStyle = 0;
WINDOWPLACEMENT g_savedPlacement = {};

const wchar_t kExitFullScreenScript[] = L"document.exitFullscreen()";

void EnterFullScreen() {
    // Under Wine a maximised window comes back exactly only when it is
    // restored before its placement is kept, and maximised again after.
    // A window still waiting to be maximised again counts as maximised.
    g_wasMaximized = IsZoomed(g_hMainWnd) != FALSE || g_maximiseOnActivation;
    g_maximiseOnActivation = false;
    if (g_wasMaximized) SendMessageW(g_hMainWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    g_savedStyle = GetWindowLongPtrW(g_hMainWnd, GWL_STYLE);
    g_savedPlacement = {};
    g_savedPlacement.length = sizeof(g_savedPlacement);
    GetWindowPlacement(g_hMainWnd, &g_savedPlacement);

    g_fullScreen = true;
    SetPageFillsWindow(true);
    SetWindowLongPtrW(g_hMainWnd, GWL_STYLE, (g_savedStyle & ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(g_hMainWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(g_hMainWnd, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    // The size may not have changed: the page takes the whole client area anyway.
    ResizeBrowser();
}

// Leaving never restores or activates the window by itself: a minimised
// window stays minimised (the user's restore brings back the saved shape,
// maximised or not), and an inactive one comes back without the activation.
void LeaveFullScreen() {
    g_fullScreen = false;
    const bool minimised = IsIconic(g_hMainWnd) != FALSE;
    const bool active = GetForegroundWindow() == g_hMainWnd;
    // The window's own minimised state stays: only the frame comes back.
    const LONG_PTR shown = GetWindowLongPtrW(g_hMainWnd, GWL_STYLE) & (WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(g_hMainWnd, GWL_STYLE, (g_savedStyle & ~static_cast<LONG_PTR>(WS_MINIMIZE | WS_MAXIMIZE)) | shown);
    WINDOWPLACEMENT placement = g_savedPlacement;
    if (minimised) {
        placement.showCmd = SW_SHOWMINNOACTIVE;
        if (g_wasMaximized) placement.flags |= WPF_RESTORETOMAXIMIZED;
    } else if (!active) {
        placement.showCmd = SW_SHOWNOACTIVATE;
    }
    SetWindowPlacement(g_hMainWnd, &placement);
    SetWindowPos(g_hMainWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetPageFillsWindow(false);
    if (g_wasMaximized && !minimised) {
        if (active) {
            SendMessageW(g_hMainWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        } else {
            g_maximiseOnActivation = true;
        }
    }
    ResizeBrowser();
}

bool CurrentPageHoldsFullScreen() {
    return IsTabIndex(g_currentTab) && g_tabs[g_currentTab].pageFullScreen;
}

// Brings the window to what the current page and F11 ask for.
void FitWindowToRequests() {
    const bool wanted = g_keyAsks || CurrentPageHoldsFullScreen();
    if (wanted && !g_fullScreen) EnterFullScreen();
    if (!wanted && g_fullScreen) LeaveFullScreen();
}

// Asks a page to leave its full screen; what it answers does not matter.
void AskPageToLeave(ICoreWebView2* webview) {
    const auto ignored = MakeHandler<ICoreWebView2ExecuteScriptCompletedHandler>([](HRESULT, LPCWSTR) { return S_OK; });
    webview->ExecuteScript(kExitFullScreenScript, ignored.Get());
}

// Tab `index`'s page no longer holds full screen and is told so.
void ReleasePageFullScreen(int index) {
    BrowserTab& tab = g_tabs[index];
    if (!tab.pageFullScreen) return;
    tab.pageFullScreen = false;
    AskPageToLeave(tab.webview.Get());
}

}  // namespace

bool IsWindowFullScreen() { return g_fullScreen; }

HRESULT OnContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* /*args*/) {
    if (sender == nullptr || FindTabByWebView(sender) == -1) return S_OK;
    BOOL contains = FALSE;
    if (FAILED(sender->get_ContainsFullScreenElement(&contains))) return S_OK;
    // A background tab's page (its news arriving after a switch) gets no
    // window: it is asked to leave, so that it is not full screen within it.
    if (sender != CurrentWebView()) {
        if (contains) AskPageToLeave(sender);
        return S_OK;
    }
    g_tabs[g_currentTab].pageFullScreen = contains != FALSE;
    FitWindowToRequests();
    return S_OK;
}

void ToggleFullScreen() {
    if (g_fullScreen) {
        g_keyAsks = false;
        if (IsTabIndex(g_currentTab)) ReleasePageFullScreen(g_currentTab);
    } else {
        g_keyAsks = true;
    }
    FitWindowToRequests();
}

void EndTabFullScreen(int index) {
    if (!IsTabIndex(index) || !g_tabs[index].pageFullScreen) return;
    ReleasePageFullScreen(index);
    FitWindowToRequests();
}

void DropTabFullScreen(int index) {
    if (!IsTabIndex(index) || !g_tabs[index].pageFullScreen) return;
    g_tabs[index].pageFullScreen = false;
    FitWindowToRequests();
}

void ApplyFullScreen() {
    for (int index = 0; index < static_cast<int>(g_tabs.size()); ++index) {
        if (index != g_currentTab) ReleasePageFullScreen(index);
    }
    FitWindowToRequests();
}

void EndFullScreen() {
    g_keyAsks = false;
    if (IsTabIndex(g_currentTab)) ReleasePageFullScreen(g_currentTab);
    FitWindowToRequests();
}

void OnWindowActivated() {
    if (!g_maximiseOnActivation) return;
    g_maximiseOnActivation = false;
    if (!g_fullScreen && !IsIconic(g_hMainWnd)) SendMessageW(g_hMainWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void ForgetFullScreen() {
    g_maximiseOnActivation = false;
    for (BrowserTab& tab : g_tabs) tab.pageFullScreen = false;
    g_keyAsks = false;
    g_fullScreen = false;
    g_wasMaximized = false;
    SetPageFillsWindow(false);
}
