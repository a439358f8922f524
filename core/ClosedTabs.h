// Tabs closed during this run, to be reopened (Ctrl+Shift+T) at their last
// address, most recently closed first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// At most this many closed tabs are remembered; older ones are forgotten.
constexpr size_t kMaxClosedTabs = 25;

extern std::vector<std::wstring> g_closedTabs;  // their last addresses, most recently closed last

// Remembers a closed tab's last address (empty: it had shown none yet, and
// comes back on the New Tab page).
void RememberClosedTab(const std::wstring& source);

// Forgets the most recently remembered closed tab at `source`; false if none is.
bool ForgetClosedTab(const std::wstring& source);

// Asks the engine for a tab that shows the most recently closed tab's address
// again; it arrives at the end of the strip and becomes current. Does nothing
// when no tab was closed or the engine has not started. A tab the engine fails
// to create leaves the address remembered.
void ReopenClosedTab(HWND parent);
