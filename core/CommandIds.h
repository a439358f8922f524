// The identifiers that reach the main window as WM_COMMAND: each control's,
// and those of commands that have no control of their own.
#pragma once

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
// and the tab menu's items that act on no tab of their own. They reach
// WndProc as WM_COMMAND like the buttons' clicks.
enum CommandId : int {
    ID_FOCUS_ADDRESS_BAR = 201,
    ID_NEXT_TAB = 202,
    ID_PREVIOUS_TAB = 203,
    ID_LAST_TAB = 204,
    ID_REOPEN_CLOSED_TAB = 205,
    ID_CLOSE_TAB_SHORTCUT = 207,  // Ctrl+W: as "X", but with no tab at all (the engine failed) it closes the window
    ID_SELECT_TAB_1 = 211,   // ID_SELECT_TAB_1 + i makes tab i current, for i from 0 to 7
    ID_SELECT_TAB_8 = 218,
    ID_RELOAD_PAGE = 219,         // F5, Ctrl+R: reload, even while the Reload button reads Stop
    ID_TOGGLE_FULL_SCREEN = 220,  // F11
    ID_ZOOM_IN = 240,             // Ctrl+Plus, Ctrl+=: the current tab's zoom one step up
    ID_ZOOM_OUT = 241,            // Ctrl+Minus: one step down
    ID_ZOOM_RESET = 242,          // Ctrl+0: back to 100%
    ID_DEV_TOOLS = 243,           // F12, Ctrl+Shift+I: the engine's developer tools for the current tab
    ID_MOVE_TAB_LEFT = 230,  // the current tab one place left or right, no wrap
    ID_MOVE_TAB_RIGHT = 231,
    ID_FIND_IN_PAGE = 250,        // Ctrl+F: the engine's find bar
    ID_FIND_NEXT = 251,           // F3, Shift+F3: while a find is active
    ID_FIND_PREVIOUS = 252,
    ID_PRINT_PAGE = 253,          // Ctrl+P: the engine's print dialog
};

// Commands on one tab, by its index: the tab menu's items and the strip's
// middle click. They reach WndProc as WM_APP_TAB_COMMAND (core/AppMessages.h),
// the command in wParam and the tab's index in lParam.
enum TabCommandId : int {
    ID_CLOSE_TAB_AT = 206,
    ID_RELOAD_TAB_AT = 232,
    ID_DUPLICATE_TAB_AT = 233,
    ID_CLOSE_OTHER_TABS_AT = 234,
    ID_CLOSE_TABS_RIGHT_OF = 235,
    ID_TOGGLE_MUTE_TAB_AT = 254,  // "Mute tab" / "Unmute tab"
};
