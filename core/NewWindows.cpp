#include "core/NewWindows.h"

#include "core/EngineString.h"
#include "core/NewTabPage.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wrl/client.h>

#include <memory>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// One request, as its controller's completion handler carries it.
struct NewWindowRequest {
    ComPtr<ICoreWebView2Environment> environment;  // asked for the tab's controller
    ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args;
    ComPtr<ICoreWebView2Deferral> deferral;  // null if the engine gave none
    std::wstring uri;
};
using NewWindowRequestPtr = std::shared_ptr<NewWindowRequest>;

// The requested tab's controller arrived (or did not).
void OpenRequestedTab(const NewWindowRequest& request, ICoreWebView2Controller* controller) {
    const int index =
        IsStaleCompletion(request.environment.Get(), controller) ? -1 : AddTab(controller, g_tabs.size(), true);
    if (index != -1) {
        BrowserTab& tab = g_tabs[index];
        tab.lastSource = request.uri;
        // The engine loads the address into a web view it is handed; when it
        // cannot take it (the opener is gone, say), the tab goes there itself.
        if (FAILED(request.args->put_NewWindow(tab.webview.Get()))) {
            if (request.uri.empty()) {
                tab.webview->NavigateToString(NewTabPageHtml);
            } else {
                tab.webview->Navigate(request.uri.c_str());
            }
        }
    }
    if (request.deferral) request.deferral->Complete();
}

}  // namespace

HRESULT OnNewWindowRequested(ICoreWebView2* /*sender*/, ICoreWebView2NewWindowRequestedEventArgs* args) {
    // Handled: whatever follows, the engine opens no window of its own.
    args->put_Handled(TRUE);

    // Everything that allocates comes before the deferral, so that running out
    // of memory cannot leave one that is never completed.
    auto request = std::make_shared<NewWindowRequest>();
    request->environment = g_environment;
    request->args = args;
    EngineString uri;
    args->get_Uri(uri.Out());
    request->uri = uri.Copy();
    auto completed = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [request](HRESULT /*result*/, ICoreWebView2Controller* controller) {
            OpenRequestedTab(*request, controller);
            return S_OK;
        });
    args->GetDeferral(&request->deferral);

    const HRESULT asked =
        g_environment ? g_environment->CreateCoreWebView2Controller(g_hMainWnd, completed.Get()) : E_UNEXPECTED;
    // No completion will come: answer the request now, with no new window.
    if (FAILED(asked) && request->deferral) request->deferral->Complete();
    return S_OK;
}
