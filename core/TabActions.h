// What the tab menu does to one tab, by its place in the strip: reload it,
// duplicate it, and close the tabs around it.
#pragma once

#include <windows.h>

// Reloads tab `index`, current or not.
void ReloadTab(int index);

// Asks the engine for a copy of tab `index`: a new tab at its address, placed
// right after it (wherever it is by then; at the end if it has closed) and
// made current. Does nothing before the engine has started.
void DuplicateTab(HWND parent, int index);

// Closes every tab but `index`, which becomes current. The closed tabs are
// remembered for reopening from left to right, so the rightmost comes back first.
void CloseOtherTabs(int index);

// Closes every tab after `index`, left to right; when the current tab was
// among them, tab `index` becomes current.
void CloseTabsToRight(int index);
