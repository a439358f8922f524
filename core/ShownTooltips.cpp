#include "core/ShownTooltips.h"

#include "core/WindowHandles.h"

#include <commctrl.h>

namespace {

// Asks `tooltip` for the text of the tool of `window` and `id` again if that
// tool is the one it shows now. The text stays asked for each time;
// TTM_UPDATE alone only redraws on some platforms (Wine's), while the update
// of the text has a showing tip ask for it and fit itself to it.
void RefreshIfShown(HWND tooltip, HWND window, UINT_PTR id) {
    if (tooltip == nullptr || !IsWindowVisible(tooltip)) return;
    // Our tools' texts are asked for or short; this holds any of them.
    wchar_t text[128] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    if (!SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return;
    if (tool.hwnd != window || tool.uId != id) return;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    tool.hinst = nullptr;
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip, TTM_UPDATE, 0, 0);
}

}  // namespace

void RefreshShownTabTooltip(int index) {
    if (index < 0) return;
    const HWND tooltip = reinterpret_cast<HWND>(SendMessageW(g_hTabCtrl, TCM_GETTOOLTIPS, 0, 0));
    RefreshIfShown(tooltip, g_hTabCtrl, static_cast<UINT_PTR>(index));
}

void HideShownTabTooltip() {
    const HWND tooltip = reinterpret_cast<HWND>(SendMessageW(g_hTabCtrl, TCM_GETTOOLTIPS, 0, 0));
    if (tooltip != nullptr && IsWindowVisible(tooltip)) SendMessageW(tooltip, TTM_POP, 0, 0);
}

void RefreshShownButtonTooltip(HWND button) {
    RefreshIfShown(g_hButtonTooltips, g_hMainWnd, reinterpret_cast<UINT_PTR>(button));
}
