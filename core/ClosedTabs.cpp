#include "core/ClosedTabs.h"

#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "engine/Handler.h"

#include <wrl/client.h>

std::vector<std::wstring> g_closedTabs;

namespace {

// Adds the reopened tab at the end, current, and takes it to `source`. An
// address that brought no tab stays remembered.
HRESULT OnReopenedTabCreated(ICoreWebView2Environment* requestedFrom, ICoreWebView2Controller* controller,
                             const std::wstring& source) {
    const int index = IsStaleCompletion(requestedFrom, controller) ? -1 : AddTab(controller, g_tabs.size(), true);
    if (index == -1) {
        RememberClosedTab(source);
        return S_OK;
    }
    ShowAddress(g_tabs[index], source);
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
    const Microsoft::WRL::ComPtr<ICoreWebView2Environment> environment = g_environment;
    auto completed = MakeHandler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler>(
        [environment, source](HRESULT /*result*/, ICoreWebView2Controller* controller) {
            return OnReopenedTabCreated(environment.Get(), controller, source);
        });
    if (FAILED(g_environment->CreateCoreWebView2Controller(parent, completed.Get()))) RememberClosedTab(source);
}
