#include "core/NewWindows.h"

#include "core/AppMessages.h"
#include "core/EngineString.h"
#include "core/NewTabPage.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <utility>

namespace {

std::vector<NewWindowRequestPtr> g_newWindowRequests;  // waiting for WM_APP_OPEN_NEW_WINDOWS

// A window the page opened by itself (a timer, page load), not from a click.
bool IsPopUp(ICoreWebView2NewWindowRequestedEventArgs* args) {
    BOOL userInitiated = FALSE;
    return FAILED(args->get_IsUserInitiated(&userInitiated)) || !userInitiated;
}

}  // namespace

HRESULT OnNewWindowRequested(ICoreWebView2* /*sender*/, ICoreWebView2NewWindowRequestedEventArgs* args) {
    // Handled: whatever follows, the engine opens no window of its own.
    args->put_Handled(TRUE);
    // Pop-ups are blocked: no tab, and the page's window.open gets null.
    if (IsPopUp(args)) return S_OK;

    auto request = std::make_shared<NewWindowRequest>();
    request->args = args;
    EngineString uri;
    args->get_Uri(uri.Out());
    request->uri = uri.Copy();
    args->GetDeferral(&request->deferral);
    try {
        g_newWindowRequests.push_back(request);
    } catch (...) {
        // Out of memory: a deferral never completed would hold the page's request forever.
        DeclineNewWindow(*request);
        throw;
    }
    PostMessageW(g_hMainWnd, WM_APP_OPEN_NEW_WINDOWS, 0, 0);
    return S_OK;
}

std::vector<NewWindowRequestPtr> TakeNewWindowRequests() {
    std::vector<NewWindowRequestPtr> taken;
    taken.swap(g_newWindowRequests);
    return taken;
}

void HandOverNewWindow(const NewWindowRequest& request, BrowserTab& tab) {
    if (FAILED(request.args->put_NewWindow(tab.webview.Get()))) {
        if (request.uri.empty()) {
            tab.webview->NavigateToString(NewTabPageHtml);
        } else {
            tab.webview->Navigate(request.uri.c_str());
        }
    }
    if (request.deferral) request.deferral->Complete();
}

void DeclineNewWindow(const NewWindowRequest& request) {
    if (request.deferral) request.deferral->Complete();
}

void DeclinePendingNewWindows() {
    for (const NewWindowRequestPtr& request : TakeNewWindowRequests()) DeclineNewWindow(*request);
}
