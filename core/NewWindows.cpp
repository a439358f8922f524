#include "core/NewWindows.h"

#include "core/EngineString.h"
#include "core/NewTabPage.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "engine/Handler.h"

#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// The requested tab's controller arrived (or did not).
void OpenRequestedTab(ICoreWebView2NewWindowRequestedEventArgs* request, ICoreWebView2Deferral* deferral,
                      const std::wstring& uri, ICoreWebView2Controller* controller) {
    const int index = AddTab(controller, g_tabs.size(), true);
    if (index != -1) {
        BrowserTab& tab = g_tabs[index];
        tab.lastSource = uri;
        // The engine loads the address into a web view it is handed; when it
        // cannot take it (the opener is gone, say), the tab goes there itself.
        if (FAILED(request->put_NewWindow(tab.webview.Get()))) {
            if (uri.empty()) {
                tab.webview->NavigateToString(NewTabPageHtml);
            } else {
                tab.webview->Navigate(uri.c_str());
            }
        }
    }
    if (deferral != nullptr) deferral->Complete();
}

}  // namespace

HRESULT OnNewWindowRequested(ICoreWebView2* /*sender*/, ICoreWebView2NewWindowRequestedEventArgs* args) {
    // Handled: whatever follows, the engine opens no window of its own.
    args->put_Handled(TRUE);
    ComPtr<ICoreWebView2Deferral> deferral;
    args->GetDeferral(&deferral);
    EngineString uri;
    args->get_Uri(uri.Out());

    const ComPtr<ICoreWebView2NewWindowRequestedEventArgs> request = args;
    auto completed = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [request, deferral, address = uri.Copy()](HRESULT /*result*/, ICoreWebView2Controller* controller) {
            OpenRequestedTab(request.Get(), deferral.Get(), address, controller);
            return S_OK;
        });
    const HRESULT asked =
        g_environment ? g_environment->CreateCoreWebView2Controller(g_hMainWnd, completed.Get()) : E_UNEXPECTED;
    // No completion will come: answer the request now, with no new window.
    if (FAILED(asked) && deferral) deferral->Complete();
    return S_OK;
}
