#include "shell/ControlTooltips.h"

#include "core/CommandIds.h"
#include "core/TabHoverText.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <string>

const wchar_t kNewTabTip[] = L"New tab (Ctrl+T)";
const wchar_t kCloseTabTip[] = L"Close tab (Ctrl+W)";
const wchar_t kBackTip[] = L"Back (Alt+Left)";
const wchar_t kNextTip[] = L"Next (Alt+Right)";
const wchar_t kReloadTip[] = L"Reload (F5)";
const wchar_t kStopTip[] = L"Stop loading this page";

namespace {

// Wide enough for a line of about kHoverLineColumns characters; longer lines
// wrap at blanks (the hover text breaks runs without one itself).
const int kTooltipWidth = 600;

// The hovered tab's text, kept until the next request: the tooltip reads it
// after the notification returns.
std::wstring g_tabTipText;

void AddButtonTip(HWND mainWindow, HWND button, const wchar_t* text) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(g_hButtonTooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The buttons greyed when there is nowhere to go. A greyed button gets no
// mouse messages (they go to the main window) and the tooltip, before it
// shows, finds the main window under the pointer, not the button; so each
// also has a tool of the main window over the button's place, with its text.
const struct {
    int id;
    const wchar_t* text;
} kGreyableButtons[] = {{ID_BACK, kBackTip}, {ID_NEXT, kNextTip}};

// The tool of the main window for the greyable button `id`: at the button's
// place now, or nowhere while the button is hidden.
TTTOOLINFOW GreyableButtonTool(HWND mainWindow, int id) {
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = mainWindow;
    tool.uId = static_cast<UINT_PTR>(id);
    const HWND button = GetDlgItem(mainWindow, id);
    if (IsWindowVisible(button)) {
        GetWindowRect(button, &tool.rect);
        MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&tool.rect), 2);
    }
    return tool;
}

// Hands a WM_MOUSEMOVE of `window` to `tooltip`.
void RelayMouseMove(HWND tooltip, HWND window, WPARAM wParam, LPARAM lParam) {
    MSG move = {};
    move.hwnd = window;
    move.message = WM_MOUSEMOVE;
    move.wParam = wParam;
    move.lParam = lParam;
    move.time = static_cast<DWORD>(GetMessageTime());
    const DWORD at = GetMessagePos();
    move.pt = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

HWND TabStripTooltip() { return reinterpret_cast<HWND>(SendMessageW(g_hTabCtrl, TCM_GETTOOLTIPS, 0, 0)); }

// Whether the strip's tooltip tools are ours: a strip that registers a tool per
// tab itself has tools before we ever add one, and keeps them.
bool g_ownStripTools = false;

// The strip tooltip's tool for tab `index`, named as a tab strip names it: by
// the strip's window and the tab's index.
TTTOOLINFOW StripTool(HWND strip, int index) {
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = strip;
    tool.uId = static_cast<UINT_PTR>(index);
    return tool;
}

// One tool per tab, as a tab strip registers them: at the tab's rectangle now,
// with the text asked for each time. The tools of tabs that went are removed.
// Returns false, doing nothing, where the strip keeps its own tools.
bool KeepStripToolsInStep(HWND strip, HWND tooltip) {
    const int toolCount = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    if (!g_ownStripTools && toolCount > 0) return false;
    const int tabCount = static_cast<int>(SendMessageW(strip, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < tabCount; ++index) {
        TTTOOLINFOW tool = StripTool(strip, index);
        const bool known = SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
        SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tool.rect));
        if (known) {
            SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
            continue;
        }
        tool.uFlags = 0;
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        if (SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) g_ownStripTools = true;
    }
    for (int index = tabCount; index < toolCount; ++index) {
        TTTOOLINFOW tool = StripTool(strip, index);
        SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return g_ownStripTools;
}

// The strip's tooltip, made by the strip itself (TCS_TOOLTIPS): a tab's text
// has several lines, and titles and addresses hold ampersands.
void PrepareTabStripTooltip() {
    // A new strip: whether it keeps tools of its own is seen anew.
    g_ownStripTools = false;
    const HWND tooltip = TabStripTooltip();
    if (tooltip == nullptr) return;
    SetWindowLongPtrW(tooltip, GWL_STYLE, GetWindowLongPtrW(tooltip, GWL_STYLE) | TTS_NOPREFIX);
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
}

// Sets or clears the accessible names of "+" and "X". Without the
// accessibility service nothing happens; the service object is let go at once.
void SetAccessibleNames(bool set) {
    Microsoft::WRL::ComPtr<IAccPropServices> services;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(services.GetAddressOf())))) {
        return;
    }
    const struct {
        HWND button;
        const wchar_t* name;
    } buttons[] = {{g_hNewTabButton, L"New tab"}, {g_hCloseTabButton, L"Close tab"}};
    for (const auto& entry : buttons) {
        if (set) {
            services->SetHwndPropStr(entry.button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                     entry.name);
        } else {
            MSAAPROPID name = PROPID_ACC_NAME;
            services->ClearHwndProps(entry.button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
        }
    }
}

}  // namespace

void CreateControlTooltips(HWND mainWindow) {
    g_hButtonTooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow,
                                        nullptr, nullptr, nullptr);
    AddButtonTip(mainWindow, g_hNewTabButton, kNewTabTip);
    AddButtonTip(mainWindow, g_hCloseTabButton, kCloseTabTip);
    AddButtonTip(mainWindow, GetDlgItem(mainWindow, ID_BACK), kBackTip);
    AddButtonTip(mainWindow, GetDlgItem(mainWindow, ID_NEXT), kNextTip);
    // Asked for each time: it depends on whether the current tab is loading.
    AddButtonTip(mainWindow, GetDlgItem(mainWindow, ID_RELOAD), LPSTR_TEXTCALLBACKW);
    for (const auto& button : kGreyableButtons) {
        TTTOOLINFOW tool = GreyableButtonTool(mainWindow, button.id);
        tool.lpszText = const_cast<wchar_t*>(button.text);
        SendMessageW(g_hButtonTooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    PrepareTabStripTooltip();
    SetAccessibleNames(true);
}

void RemoveAccessibleNames() { SetAccessibleNames(false); }

bool AnswerTooltipText(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW || header->hwndFrom == nullptr) return false;
    NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (header->hwndFrom == g_hButtonTooltips) {
        const HWND reload = GetDlgItem(g_hMainWnd, ID_RELOAD);
        if ((info->uFlags & TTF_IDISHWND) == 0 || header->idFrom != reinterpret_cast<UINT_PTR>(reload)) return false;
        const bool loading = IsTabIndex(g_currentTab) && g_tabs[g_currentTab].loading;
        info->lpszText = const_cast<wchar_t*>(loading ? kStopTip : kReloadTip);
        info->hinst = nullptr;
        return true;
    }
    // The strip's tooltip names the tab by its index.
    if (header->hwndFrom != TabStripTooltip()) return false;
    if ((info->uFlags & TTF_IDISHWND) != 0) return false;
    const int index = header->idFrom <= static_cast<UINT_PTR>(INT_MAX) ? static_cast<int>(header->idFrom) : -1;
    if (!IsTabIndex(index)) return false;
    g_tabTipText = TabHoverText(index);
    info->lpszText = &g_tabTipText[0];
    info->hinst = nullptr;
    return true;
}

void RelayTabStripMouseMove(HWND strip, WPARAM wParam, LPARAM lParam) {
    const HWND tooltip = TabStripTooltip();
    if (tooltip == nullptr || !KeepStripToolsInStep(strip, tooltip)) return;
    // A strip without tools of its own may hand its moves on to the tooltip
    // as something else (Wine's as a button press, which hides the tip).
    RelayMouseMove(tooltip, strip, wParam, lParam);
}

void RelayMainWindowMouseMove(HWND mainWindow, WPARAM wParam, LPARAM lParam) {
    if (g_hButtonTooltips == nullptr) return;
    for (const auto& button : kGreyableButtons) {
        const TTTOOLINFOW tool = GreyableButtonTool(mainWindow, button.id);
        SendMessageW(g_hButtonTooltips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RelayMouseMove(g_hButtonTooltips, mainWindow, wParam, lParam);
}
