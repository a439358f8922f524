#include "core/History.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

std::vector<std::wstring> g_history;
AddressIndex g_historyIndex;

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
    if (IsNewTabPageSource(address)) return;
    g_history.push_back(std::move(address));
    UpdateAddressIndex(g_historyIndex, g_history);
}

std::vector<std::wstring> SuggestedAddresses(const std::wstring& typed) {
    // Also catches up with a history that was replaced meanwhile (tests start afresh).
    UpdateAddressIndex(g_historyIndex, g_history);
    return MatchingAddresses(g_historyIndex, g_history, typed);
}
