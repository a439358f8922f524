#include "shell/TabStrip.h"

#include "core/AppMessages.h"
#include "core/CommandIds.h"
#include "core/WindowHandles.h"
#include "shell/ControlTooltips.h"
#include "shell/TabDrag.h"
#include "shell/TabMenu.h"

#include <commctrl.h>
#include <windowsx.h>

WNDPROC g_oldTabStripProc = nullptr;

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT OnMiddleButtonUp(HWND hwnd, LPARAM lParam) {
    TCHITTESTINFO hit = {};
    hit.pt = PointOf(lParam);
    const LRESULT index = SendMessageW(hwnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    // The close goes through the main window's dispatch like the tab menu's.
    if (index >= 0) SendMessageW(GetParent(hwnd), WM_APP_TAB_COMMAND, ID_CLOSE_TAB_AT, index);
    return 0;
}

// Also for the second press of a double click, which the strip would not
// take as a press (after a drag, a quick press on the tab that moved into the
// dragged one's place is one).
LRESULT OnLeftButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // The strip's own handling selects the tab first, as for a click.
    const LRESULT result = CallWindowProcW(g_oldTabStripProc, hwnd, WM_LBUTTONDOWN, wParam, lParam);
    BeginTabDrag(hwnd, PointOf(lParam));
    return result;
}

}  // namespace

void InstallTabStripProc() {
    g_oldTabStripProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_hTabCtrl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabStripProc)));
}

LRESULT CALLBACK TabStripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MBUTTONUP:
            return OnMiddleButtonUp(hwnd, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return OnLeftButtonDown(hwnd, wParam, lParam);
        case WM_MOUSEMOVE:
            RelayTabStripMouseMove(hwnd, wParam, lParam);
            ContinueTabDrag(hwnd, PointOf(lParam));
            break;
        case WM_LBUTTONUP:
        case WM_CANCELMODE:
            EndTabDrag(hwnd);
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) EndTabDrag(hwnd);
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE && IsDraggingTab()) {
                EndTabDrag(hwnd);
                return 0;
            }
            break;
        // One right click brings both NM_RCLICK (to the parent, left alone)
        // and this; only this comes from the keyboard as well.
        case WM_CONTEXTMENU:
            if (OnTabStripContextMenu(hwnd, lParam)) return 0;
            break;
        // Where the strip's tooltip asks the strip itself for a tab's text.
        case WM_NOTIFY:
            if (AnswerTooltipText(reinterpret_cast<NMHDR*>(lParam))) return 0;
            break;
        default:
            break;
    }
    return CallWindowProcW(g_oldTabStripProc, hwnd, message, wParam, lParam);
}
