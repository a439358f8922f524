#include "core/KeyboardFocus.h"

#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

HWND g_focusBeforeDeactivation = nullptr;

}  // namespace

void FocusCurrentPage() {
    if (ICoreWebView2Controller* controller = CurrentController()) {
        controller->MoveFocus(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
    }
}

void RememberFocus() {
    const HWND focus = GetFocus();
    g_focusBeforeDeactivation = (focus != nullptr && IsChild(g_hMainWnd, focus)) ? focus : nullptr;
}

bool RestoreFocus() {
    const HWND focus = g_focusBeforeDeactivation;
    g_focusBeforeDeactivation = nullptr;
    // It may have gone meanwhile (a page window of a tab closed since).
    if (focus == nullptr || !IsWindow(focus) || !IsChild(g_hMainWnd, focus) || !IsWindowVisible(focus)) return false;
    SetFocus(focus);
    return true;
}
