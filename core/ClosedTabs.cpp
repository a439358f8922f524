#include "core/ClosedTabs.h"

#include "core/NewTabPage.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "engine/Handler.h"

std::vector<std::wstring> g_closedTabs;

namespace {

// Adds the reopened tab and takes it to `source`; the built-in page is shown
// anew rather than navigated to as a data address.
HRESULT OnReopenedTabCreated(ICoreWebView2Controller* controller, const std::wstring& source) {
    if (!AddTab(controller)) {
        RememberClosedTab(source);
        return S_OK;
    }
    ICoreWebView2* webview = CurrentWebView();
    if (IsNewTabPageSource(source)) {
        webview->NavigateToString(NewTabPageHtml);
    } else {
        webview->Navigate(source.c_str());
    }
    return S_OK;
}

}  // namespace

void RememberClosedTab(const std::wstring& source) {
    if (g_closedTabs.size() == kMaxClosedTabs) g_closedTabs.erase(g_closedTabs.begin());
    g_closedTabs.push_back(source);
}

void ReopenClosedTab(HWND parent) {
    if (g_closedTabs.empty() || !g_environment) return;
    const std::wstring source = g_closedTabs.back();
    g_closedTabs.pop_back();
    auto completed = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [source](HRESULT /*result*/, ICoreWebView2Controller* controller) {
            return OnReopenedTabCreated(controller, source);
        });
    if (FAILED(g_environment->CreateCoreWebView2Controller(parent, completed.Get()))) RememberClosedTab(source);
}
