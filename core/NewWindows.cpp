#include "core/NewWindows.h"

#include "core/EngineStart.h"
#include "core/EngineString.h"
#include "core/NewTabPage.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <wrl/client.h>

#include <memory>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// One request, as its tab request carries it.
struct NewWindowRequest {
    ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args;
    ComPtr<ICoreWebView2Deferral> deferral;  // null if the engine gave none
    std::wstring uri;
};
using NewWindowRequestPtr = std::shared_ptr<NewWindowRequest>;

// The requested tab arrived: the engine loads the address into the web view it
// is handed; when it cannot take it (the opener is gone, say), the tab goes
// there itself. Its remembered address comes only from what the engine then
// reports, never from the request.
void HandOverTab(const NewWindowRequest& request, BrowserTab& tab) {
    if (FAILED(request.args->put_NewWindow(tab.webview.Get()))) {
        if (request.uri.empty()) {
            tab.webview->NavigateToString(NewTabPageHtml);
        } else {
            tab.webview->Navigate(request.uri.c_str());
        }
    }
    if (request.deferral) request.deferral->Complete();
}

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
    TabRequest tabRequest;
    tabRequest.show = [request](BrowserTab& tab) { HandOverTab(*request, tab); };
    // No tab: the request is answered with no new window.
    tabRequest.failed = [request](HRESULT, bool) {
        if (request->deferral) request->deferral->Complete();
    };
    args->GetDeferral(&request->deferral);
    try {
        RequestTab(g_hMainWnd, std::move(tabRequest));
    } catch (...) {
        // Out of memory: a deferral never completed would hold the page's request forever.
        if (request->deferral) request->deferral->Complete();
        throw;
    }
    return S_OK;
}
