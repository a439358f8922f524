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

HWND g_hButtonTooltips = nullptr;

const wchar_t kNewTabTip[] = L"New tab (Ctrl+T)";
const wchar_t kCloseTabTip[] = L"Close tab (Ctrl+W)";
const wchar_t kBackTip[] = L"Back (Alt+Left)";
const wchar_t kNextTip[] = L"Next (Alt+Right)";
const wchar_t kReloadTip[] = L"Reload (F5)";
const wchar_t kStopTip[] = L"Stop loading this page";

namespace {

// Wide enough for a title line of about 80 characters; longer lines wrap.
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

// The strip's tooltip, made by the strip itself (TCS_TOOLTIPS): a tab's text
// has two lines, and titles and addresses hold ampersands.
void PrepareTabStripTooltip() {
    const HWND tooltip = reinterpret_cast<HWND>(SendMessageW(g_hTabCtrl, TCM_GETTOOLTIPS, 0, 0));
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
    if (header->hwndFrom != reinterpret_cast<HWND>(SendMessageW(g_hTabCtrl, TCM_GETTOOLTIPS, 0, 0))) return false;
    if ((info->uFlags & TTF_IDISHWND) != 0) return false;
    const int index = header->idFrom <= static_cast<UINT_PTR>(INT_MAX) ? static_cast<int>(header->idFrom) : -1;
    if (!IsTabIndex(index)) return false;
    g_tabTipText = TabHoverText(index);
    info->lpszText = &g_tabTipText[0];
    info->hinst = nullptr;
    return true;
}
