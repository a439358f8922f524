// The actions on tabs that change which tab is current or which tabs exist:
// switching, closing, moving, and the tab menu's reload, duplicate, close
// others, close to the right and reopen.
#pragma once

#include <windows.h>

// The user switches to tab `index` (a click, a shortcut): the tab that was
// current first ends its page's full screen; the keyboard goes to the page.
// An index out of range changes nothing.
void SwitchToTab(int index);

// Switches to the tab `step` places after the current one (before it for a
// negative step), wrapping around at either end of the strip.
void ActivateTabBy(int step);

// Closes tab `index` and remembers its address for reopening (the current
// tab first ends its page's full screen). Closing the current tab makes the
// tab that moves into its place current (the new last tab when it was the
// last), the keyboard in its page; closing another keeps the current tab
// current. The last tab is never closed.
void CloseTab(int index);

// Moves tab `from` to place `to` (both existing places; otherwise nothing
// happens); the same tab stays current and shown.
void MoveTab(int from, int to);

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

// Asks the engine for a tab that shows the most recently closed tab's address
// again; it arrives at the end of the strip and becomes current. Does nothing
// when no tab was closed or the engine has not started. A tab the engine fails
// to create leaves the address remembered. Returns whether a tab was asked for.
bool ReopenClosedTab(HWND parent);
