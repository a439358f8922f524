#include "core/TabActions.h"

#include "core/ClosedTabs.h"
#include "core/CurrentTab.h"
#include "core/EngineEnvironment.h"
#include "core/FullScreen.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"

#include <wrl/client.h>

#include <string>
#include <utility>

using Microsoft::WRL::ComPtr;

void SwitchToTab(int index) {
    if (!IsTabIndex(index)) return;
    if (index != g_currentTab) EndTabFullScreen(g_currentTab);
    MakeTabCurrent(index);
    ShowCurrentTab(KeyboardAfterChange::Page);
}

void ActivateTabBy(int step) {
    if (!IsTabIndex(g_currentTab)) return;
    const int count = static_cast<int>(g_tabs.size());
    SwitchToTab(((g_currentTab + step) % count + count) % count);
}

void CloseTab(int index) {
    if (!IsTabIndex(index) || g_tabs.size() < 2) return;
    const bool wasCurrent = index == g_currentTab;
    if (wasCurrent) EndTabFullScreen(index);
    RememberClosedTab(g_tabs[index].lastSource);
    // Out of the list first: closing its page moves the focus, and nothing
    // may then be asked of it as the current tab.
    EraseTab(index).controller->Close();
    // Another tab: the current one stays current and visible as it is.
    if (wasCurrent) ShowCurrentTab(KeyboardAfterChange::Page);
}

void MoveTab(int from, int to) {
    if (!IsTabIndex(from) || !IsTabIndex(to) || from == to) return;
    MoveTabPlace(from, to);
}

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
    if (index != g_currentTab) SwitchToTab(index);
    for (int before = index; before > 0; --before) CloseTab(0);
    while (g_tabs.size() > 1) CloseTab(1);
}

void CloseTabsToRight(int index) {
    if (!IsTabIndex(index)) return;
    if (g_currentTab > index) SwitchToTab(index);
    while (g_tabs.size() > static_cast<size_t>(index) + 1) CloseTab(index + 1);
}

bool ReopenClosedTab(HWND parent) {
    std::wstring source;
    if (!g_environment || !TakeMostRecentClosedTab(&source)) return false;
    TabRequest request;
    request.show = [source](BrowserTab& tab) { ShowAddress(tab, source); };
    // An address that brought no tab stays remembered.
    request.failed = [source](HRESULT, bool) { RememberClosedTab(source); };
    RequestTab(parent, std::move(request));
    return true;
}
