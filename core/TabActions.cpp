#include "core/TabActions.h"

#include "core/EngineStart.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"

#include <wrl/client.h>

#include <string>
#include <utility>

using Microsoft::WRL::ComPtr;

void ReloadTab(int index) {
    if (IsTabIndex(index)) g_tabs[index].webview->Reload();
}

void DuplicateTab(HWND parent, int index) {
    if (!IsTabIndex(index) || !g_environment) return;
    // Tabs may move or close before the copy arrives: the original is found
    // again by its web view then (held, so that its address is never reused).
    const ComPtr<ICoreWebView2> original = g_tabs[index].webview;
    const std::wstring address = g_tabs[index].lastSource;
    TabRequest request;
    request.position = [original] {
        const int at = FindTabByWebView(original.Get());
        return at == -1 ? g_tabs.size() : static_cast<size_t>(at) + 1;
    };
    request.show = [address](BrowserTab& tab) { ShowAddress(tab, address); };
    request.failed = ReportTabFailure;
    RequestTab(parent, std::move(request));
}

void CloseOtherTabs(int index) {
    if (!IsTabIndex(index)) return;
    // Made current first, so that no other tab is shown on the way.
    if (index != g_currentTab) ActivateTab(index);
    for (int before = index; before > 0; --before) CloseTab(0);
    while (g_tabs.size() > 1) CloseTab(1);
}

void CloseTabsToRight(int index) {
    if (!IsTabIndex(index)) return;
    if (g_currentTab > index) ActivateTab(index);
    while (g_tabs.size() > static_cast<size_t>(index) + 1) CloseTab(index + 1);
}
