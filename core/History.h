// Every address any tab reported during this run, and the History report.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/AddressSuggestions.h"

extern std::vector<std::wstring> g_history;  // oldest first; only grows
extern AddressIndex g_historyIndex;          // its distinct addresses, for the suggestions

// The report's text: each entry followed by a line feed, or "No history.".
std::wstring HistoryText(const std::vector<std::wstring>& history);

// Shows the report in a message box owned by `owner`.
void ShowHistory(HWND owner);

// Appends an address a tab reported, unless it is the built-in page's, and
// takes it into the index.
void RecordHistory(std::wstring address);

// The visited addresses the address bar offers for `typed` (MatchingAddresses),
// found through the index.
std::vector<std::wstring> SuggestedAddresses(const std::wstring& typed);
