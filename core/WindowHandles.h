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

// Posted to the main window so that work requested from inside an engine
// callback runs later, outside it.
enum AppMessage : UINT {
    WM_APP_CLOSE_CURRENT_TAB = WM_APP + 1,     // Ctrl+W pressed while the page had the focus
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
