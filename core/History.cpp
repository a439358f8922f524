#include "core/History.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

std::vector<std::wstring> g_history;

std::wstring HistoryText(const std::vector<std::wstring>& history) {
    if (history.empty()) return L"No history.";
    size_t length = 0;
    for (const std::wstring& entry : history) length += entry.size() + 1;
    std::wstring h;
    h.reserve(length);
    for (const std::wstring& entry : history) {
        h += entry;
        h += L'\n';
    }
    return h;
}

void ShowHistory(HWND owner) {
    MessageBoxW(owner, HistoryText(g_history).c_str(), L"History", MB_OK);
}

void RecordHistory(std::wstring address) {
    if (!IsNewTabPageSource(address)) g_history.push_back(std::move(address));
}
