// The main window and its controls. Assigned once when the window is created
// and never cleared.
#pragma once

#include <windows.h>

// The main window's title, also the caption of the browser's own message boxes.
extern const wchar_t kMainWindowTitle[];

extern HWND g_hMainWnd;
extern HWND g_hTabCtrl;
extern HWND g_hNewTabButton;
extern HWND g_hCloseTabButton;
extern HWND g_hAddressBar;
extern HWND g_hHistoryButton;
// The buttons' tooltip control, owned by the main window (null before it is made).
extern HWND g_hButtonTooltips;
extern HFONT g_hFont;
