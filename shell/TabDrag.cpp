#include "shell/TabDrag.h"

#include "core/TabActions.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>
#include <wrl/client.h>

namespace {

// The dragged tab, by its web view (its place changes as it goes); null while
// no drag is going on.
Microsoft::WRL::ComPtr<ICoreWebView2> g_draggedTab;
POINT g_pressedAt = {};
// Whether the strip took the keyboard focus for the drag (so that Escape
// reaches it), and whether it had it already.
bool g_tookFocus = false;
bool g_stripHadFocus = false;

int MiddleOf(HWND strip, int index) {
    RECT item = {};
    SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return (item.left + item.right) / 2;
}

}  // namespace

bool IsDraggingTab() { return g_draggedTab != nullptr; }

void BeginTabDrag(HWND strip, POINT point) {
    TCHITTESTINFO hit = {};
    hit.pt = point;
    const int index = static_cast<int>(SendMessageW(strip, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Only the tab the press made current is dragged.
    if (index < 0 || index != g_currentTab) return;
    g_draggedTab = g_tabs[index].webview;
    g_pressedAt = point;
    SetCapture(strip);
}

void ContinueTabDrag(HWND strip, POINT point) {
    if (!g_draggedTab) return;
    int index = FindTabByWebView(g_draggedTab.Get());
    // Closed, or no longer current (a shortcut meanwhile): the drag is over.
    if (index == -1 || index != g_currentTab) {
        EndTabDrag(strip);
        return;
    }
    if (!g_tookFocus && (point.x != g_pressedAt.x || point.y != g_pressedAt.y)) {
        g_tookFocus = true;
        g_stripHadFocus = GetFocus() == strip;
        SetFocus(strip);
    }
    // A fast pointer may pass several tabs at once.
    const int count = static_cast<int>(g_tabs.size());
    while (index + 1 < count && point.x > MiddleOf(strip, index + 1)) {
        MoveTab(index, index + 1);
        ++index;
    }
    while (index > 0 && point.x < MiddleOf(strip, index - 1)) {
        MoveTab(index, index - 1);
        --index;
    }
}

void EndTabDrag(HWND strip) {
    if (!g_draggedTab) return;
    g_draggedTab.Reset();
    // Releasing the capture comes back here through WM_CAPTURECHANGED, now a no-op.
    if (GetCapture() == strip) ReleaseCapture();
    if (!g_tookFocus) return;
    g_tookFocus = false;
    // As after a click on a tab: the main window hands the keyboard to the
    // page, unless the strip had it before the drag.
    if (!g_stripHadFocus && GetFocus() == strip) SetFocus(g_hMainWnd);
}
