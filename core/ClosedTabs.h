// Tabs closed during this run, to be reopened (Ctrl+Shift+T) at their last
// address, most recently closed first.
#pragma once

#include <cstddef>
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

// Takes the most recently closed tab's address out of the list into `source`;
// false, with nothing taken, when no tab is remembered.
bool TakeMostRecentClosedTab(std::wstring* source);
