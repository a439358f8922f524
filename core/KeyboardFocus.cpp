#include "core/KeyboardFocus.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

HWND g_focusBeforeDeactivation = nullptr;

}  // namespace

void PassFocusToPage() {
    if (ICoreWebView2Controller* controller = CurrentController()) {
        controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
    }
}

void FocusCurrentPage() {
    SetFocus(g_hMainWnd);
    // The main window hands the focus on to the page when it receives it; if
    // it had it already, no WM_SETFOCUS came to do so.
    if (GetFocus() == g_hMainWnd) PassFocusToPage();
}

void RememberFocus() {
    const HWND focus = GetFocus();
    g_focusBeforeDeactivation = (focus != nullptr && IsChild(g_hMainWnd, focus)) ? focus : nullptr;
}

bool RestoreFocus() {
    const HWND focus = g_focusBeforeDeactivation;
    g_focusBeforeDeactivation = nullptr;
    // It may have gone meanwhile (a page window of a tab closed since), been
    // hidden (full screen) or disabled (Next at the end of the history).
    if (focus == nullptr || !IsWindow(focus) || !IsChild(g_hMainWnd, focus) || !IsWindowVisible(focus) ||
        !IsWindowEnabled(focus)) {
        return false;
    }
    SetFocus(focus);
    return GetFocus() == focus;
}
