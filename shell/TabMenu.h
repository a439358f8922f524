// The tab menu: a popup menu for one tab of the strip, opened by a right click
// on the tab, or by Shift+F10 or the Menu key while the strip has the keyboard
// focus (then for the current tab, under it).
#pragma once

#include <windows.h>

// The menu for tab `index`, its items greyed where they cannot act. The
// caller destroys it.
HMENU CreateTabMenu(int index);

// Shows the menu for tab `index` at the screen point `at` and sends the chosen
// command to the strip's parent: New tab and Reopen closed tab as WM_COMMAND,
// the others as WM_APP_TAB_COMMAND with the tab's index by then.
void ShowTabMenu(HWND strip, int index, POINT at);

// The strip's WM_CONTEXTMENU: `lParam` is the screen point of a right click,
// or (-1, -1) from the keyboard. Returns false, showing nothing, for a point
// beside the tabs.
bool OnTabStripContextMenu(HWND strip, LPARAM lParam);
