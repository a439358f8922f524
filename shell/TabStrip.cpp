#include "shell/TabStrip.h"

#include "core/CommandIds.h"
#include "core/WindowHandles.h"

#include <commctrl.h>
#include <windowsx.h>

WNDPROC g_oldTabStripProc = nullptr;

void InstallTabStripProc() {
    g_oldTabStripProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_hTabCtrl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabStripProc)));
}

LRESULT CALLBACK TabStripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MBUTTONUP) {
        TCHITTESTINFO hit = {};
        hit.pt.x = GET_X_LPARAM(lParam);
        hit.pt.y = GET_Y_LPARAM(lParam);
        const LRESULT index = SendMessageW(hwnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        // The close goes through the main window's command dispatch like every other.
        if (index >= 0) SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(ID_CLOSE_TAB_AT, 0), index);
        return 0;
    }
    return CallWindowProcW(g_oldTabStripProc, hwnd, message, wParam, lParam);
}
