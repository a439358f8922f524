// What the controls say about themselves: tooltips for the buttons, with their
// keys; the hovered tab's whole title and address in the tab strip's own
// tooltip; and accessible names for the symbol buttons "+" and "X", whose
// visible texts stay as they are.
#pragma once

#include <windows.h>

// Tooltip texts of the buttons (Reload's while the current tab is not loading
// and while it is).
extern const wchar_t kNewTabTip[];
extern const wchar_t kCloseTabTip[];
extern const wchar_t kBackTip[];
extern const wchar_t kNextTip[];
extern const wchar_t kReloadTip[];
extern const wchar_t kStopTip[];

// Once the controls exist: makes the buttons' tooltip control, lets the tab
// strip's tooltip show several lines and ampersands as they are, and gives "+" and
// "X" their accessible names "New tab" and "Close tab" where the platform's
// accessibility service exists (without it, all else still works).
void CreateControlTooltips(HWND mainWindow);

// Before the window goes: takes the accessible names off again.
void RemoveAccessibleNames();

// WM_NOTIFY: a tooltip's request for its text (TTN_GETDISPINFOW), from the tab
// strip's tooltip (the text of the tab it names) or the buttons' (Reload's
// text, which follows the current tab's loading). Returns whether it answered.
bool AnswerTooltipText(NMHDR* header);

// The tab strip's WM_MOUSEMOVE, before the strip's own handling: where the
// platform's strip registers no tooltip tool per tab (Wine's), keeps one for
// each tab, at the tab's place now, and hands the move to the tooltip, so that
// the pointer resting on a tab shows its text. Does nothing where the strip
// keeps its own tools (Windows').
void RelayTabStripMouseMove(HWND strip, WPARAM wParam, LPARAM lParam);

// The main window's WM_MOUSEMOVE, which it gets also over a greyed button:
// hands it to the buttons' tooltip, so that the pointer resting on greyed
// Back or Next still shows its tooltip, and the tip goes once the pointer is
// off it.
void RelayMainWindowMouseMove(HWND mainWindow, WPARAM wParam, LPARAM lParam);
