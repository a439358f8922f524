// Every address any tab reported during this run, and the History report.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

extern std::vector<std::wstring> g_history;  // oldest first; only grows

// The report's text: each entry followed by a line feed, or "No history.".
std::wstring HistoryText(const std::vector<std::wstring>& history);

// Shows the report in a message box owned by `owner`.
void ShowHistory(HWND owner);

// Appends an address a tab reported, unless it is the built-in page's.
void RecordHistory(std::wstring address);
