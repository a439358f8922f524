// The main window, its controls and their identifiers, and the private
// messages the main window understands. Assigned once when the window is
// created and never cleared.
#pragma once

#include <windows.h>

enum ControlId : int {
    ID_BACK = 101,
    ID_NEXT = 102,
    ID_RELOAD = 103,
    ID_ADDRESS_BAR = 104,
    ID_TAB_CONTROL = 105,
    ID_NEW_TAB = 106,
    ID_HISTORY = 107,
    ID_CLOSE_TAB = 108,
};

// Commands without a control of their own: keyboard shortcuts (core/Shortcuts.h)
// and the tab strip's middle click. They reach WndProc as WM_COMMAND like the
// buttons' clicks.
enum CommandId : int {
    ID_FOCUS_ADDRESS_BAR = 201,
    ID_NEXT_TAB = 202,
    ID_PREVIOUS_TAB = 203,
    ID_LAST_TAB = 204,
    ID_REOPEN_CLOSED_TAB = 205,
    ID_CLOSE_TAB_AT = 206,   // lParam: the index of the tab to close (not a window handle)
    ID_SELECT_TAB_1 = 211,   // ID_SELECT_TAB_1 + i makes tab i current, for i from 0 to 7
    ID_SELECT_TAB_8 = 218,
    ID_RELOAD_PAGE = 219,         // F5, Ctrl+R: reload, even while the Reload button reads Stop
    ID_TOGGLE_FULL_SCREEN = 220,  // F11
};

// Posted to the main window so that work requested from inside an engine
// callback runs later, outside it.
enum AppMessage : UINT {
    WM_APP_ENGINE_START_FAILED = WM_APP + 2,   // wParam: the failure's HRESULT
    WM_APP_RECOVER_ENGINE = WM_APP + 3,        // the engine's browser process exited
    WM_APP_TAB_PROCESS_FAILED = WM_APP + 4,    // a tab's render process exited or hangs
};

// The main window's title, also the caption of the browser's own message boxes.
extern const wchar_t kMainWindowTitle[];

extern HWND g_hMainWnd;
extern HWND g_hTabCtrl;
extern HWND g_hNewTabButton;
extern HWND g_hCloseTabButton;
extern HWND g_hAddressBar;
extern HWND g_hHistoryButton;
extern HFONT g_hFont;
