#include "core/ClosedTabs.h"

#include "core/EngineStart.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"

#include <algorithm>
#include <iterator>

std::vector<std::wstring> g_closedTabs;

void RememberClosedTab(const std::wstring& source) {
    if (g_closedTabs.size() == kMaxClosedTabs) g_closedTabs.erase(g_closedTabs.begin());
    g_closedTabs.push_back(source);
}

bool ForgetClosedTab(const std::wstring& source) {
    const auto found = std::find(g_closedTabs.rbegin(), g_closedTabs.rend(), source);
    if (found == g_closedTabs.rend()) return false;
    g_closedTabs.erase(std::next(found).base());
    return true;
}

void ReopenClosedTab(HWND parent) {
    if (g_closedTabs.empty() || !g_environment) return;
    const std::wstring source = g_closedTabs.back();
    g_closedTabs.pop_back();
    TabRequest request;
    request.show = [source](BrowserTab& tab) { ShowAddress(tab, source); };
    // An address that brought no tab stays remembered.
    request.failed = [source](HRESULT, bool) { RememberClosedTab(source); };
    RequestTab(parent, std::move(request));
}
