#include "core/ClosedTabs.h"

#include <algorithm>
#include <iterator>
#include <utility>

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

bool TakeMostRecentClosedTab(std::wstring* source) {
    if (g_closedTabs.empty()) return false;
    *source = std::move(g_closedTabs.back());
    g_closedTabs.pop_back();
    return true;
}
