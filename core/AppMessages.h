// The private messages the main window understands. They are posted so that
// work requested from inside an engine callback runs later, outside it.
#pragma once

#include <windows.h>

enum AppMessage : UINT {
    WM_APP_ENGINE_START_FAILED = WM_APP + 2,   // wParam: the failure's HRESULT; lParam: its EngineFailureSource
    WM_APP_RECOVER_ENGINE = WM_APP + 3,        // the engine's browser process exited
    WM_APP_TAB_PROCESS_FAILED = WM_APP + 4,    // a tab's render process exited or hangs
    WM_APP_OPEN_NEW_WINDOWS = WM_APP + 5,      // pages asked for new windows (core/NewWindows.h)
    WM_APP_TAB_COMMAND = WM_APP + 6,           // wParam: a TabCommandId (core/CommandIds.h); lParam: the tab's index
};
