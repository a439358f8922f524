#include "shell/MainWindow.h"

#include "core/AddressBarFocus.h"
#include "core/AppMessages.h"
#include "core/ClosedTabs.h"
#include "core/CommandIds.h"
#include "core/EngineRecovery.h"
#include "core/EngineStart.h"
#include "core/FullScreen.h"
#include "core/History.h"
#include "core/KeyboardFocus.h"
#include "core/Layout.h"
#include "core/Loading.h"
#include "core/PageTools.h"
#include "core/ProcessFailures.h"
#include "core/TabActions.h"
#include "core/TabCreation.h"
#include "core/TabIcons.h"
#include "core/TabSleep.h"
#include "core/TabSound.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"
#include "core/Zoom.h"
#include "shell/AddressBar.h"
#include "shell/AddressSuggestionList.h"
#include "shell/ControlTooltips.h"
#include "shell/TabStrip.h"

#include <commctrl.h>

#include <cwchar>

const wchar_t kMainWindowClass[] = L"TabBrowserClass";

namespace {

const DWORD kChildStyle = WS_CHILD | WS_VISIBLE;

// Once a minute the background tabs that are due are put to sleep.
const UINT_PTR kTabSleepTimer = 1;
const UINT kTabSleepTimerMs = 60 * 1000;

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
                   int height, int id) {
    return CreateWindowExW(0, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

HFONT CreateInterfaceFont() {
    return CreateFontW(18, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_SWISS, L"Segoe UI");
}

LRESULT OnCreate(HWND hwnd) {
    ForgetFullScreen();
    g_hFont = CreateInterfaceFont();

    // A press on a tab gives the strip the keyboard focus (a switch then hands
    // it on to the page), so that after a click on the current tab Shift+F10
    // and the Menu key open its menu.
    g_hTabCtrl = CreateControl(hwnd, WC_TABCONTROLW, L"", kChildStyle | TCS_FOCUSONBUTTONDOWN | TCS_TOOLTIPS, 0, 0, 0, 0,
                               ID_TAB_CONTROL);
    CreateTabImages(g_hTabCtrl);
    g_hNewTabButton = CreateControl(hwnd, L"BUTTON", L"+", kChildStyle, 0, 0, 0, 0, ID_NEW_TAB);
    g_hCloseTabButton = CreateControl(hwnd, L"BUTTON", L"X", kChildStyle, 0, 0, 0, 0, ID_CLOSE_TAB);
    HWND back = CreateControl(hwnd, L"BUTTON", L"Back", kChildStyle, 5, 35, 50, 25, ID_BACK);
    HWND next = CreateControl(hwnd, L"BUTTON", L"Next", kChildStyle, 60, 35, 50, 25, ID_NEXT);
    HWND reload = CreateControl(hwnd, L"BUTTON", L"Reload", kChildStyle, 115, 35, 60, 25, ID_RELOAD);
    g_hAddressBar = CreateControl(hwnd, L"EDIT", L"", kChildStyle | WS_BORDER | ES_AUTOHSCROLL, 180, 35, 0, 25,
                                  ID_ADDRESS_BAR);
    g_hHistoryButton = CreateControl(hwnd, L"BUTTON", L"History", kChildStyle, 0, 35, 70, 25, ID_HISTORY);

    InstallAddressBarProc();
    InstallTabStripProc();

    const HWND controls[] = {g_hTabCtrl, g_hNewTabButton, g_hCloseTabButton, back,
                             next,       reload,          g_hAddressBar,     g_hHistoryButton};
    for (HWND control : controls) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_hFont), TRUE);
    }
    CreateSuggestionList(hwnd);
    CreateControlTooltips(hwnd);
    SetTimer(hwnd, kTabSleepTimer, kTabSleepTimerMs, nullptr);
    return 0;
}

LRESULT OnDestroy(HWND hwnd) {
    KillTimer(hwnd, kTabSleepTimer);
    // The pages go while their parent window still exists; nothing is asked
    // of them after this.
    CloseTabsForExit();
    DestroyTabImages();
    RemoveAccessibleNames();
    DeleteObject(g_hFont);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnTimer(WPARAM timer) {
    if (timer == kTabSleepTimer) PutIdleTabsToSleep(GetTickCount64());
    return 0;
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam) {
    ICoreWebView2* webview = CurrentWebView();
    const int id = LOWORD(wParam);
    switch (id) {
        case ID_BACK:
            if (webview) webview->GoBack();
            break;
        case ID_NEXT:
            if (webview) webview->GoForward();
            break;
        case ID_RELOAD:
            ReloadOrStop();
            break;
        case ID_RELOAD_PAGE:
            if (webview) webview->Reload();
            break;
        case ID_ZOOM_IN:
            ZoomCurrentTab(ZoomChange::In);
            break;
        case ID_ZOOM_OUT:
            ZoomCurrentTab(ZoomChange::Out);
            break;
        case ID_ZOOM_RESET:
            ZoomCurrentTab(ZoomChange::Reset);
            break;
        case ID_DEV_TOOLS:
            if (webview) webview->OpenDevToolsWindow();
            break;
        case ID_TOGGLE_FULL_SCREEN:
            ToggleFullScreen();
            break;
        case ID_NEW_TAB:
            NewTabOrRestart(hwnd, AfterEngineStart::NewTab);
            break;
        case ID_HISTORY:
            ShowHistory(hwnd);
            break;
        case ID_CLOSE_TAB:
            CloseTab(g_currentTab);
            break;
        case ID_CLOSE_TAB_SHORTCUT:
            // Ctrl+W in a window the engine could not start in has no tab to
            // close: it closes the window, as closing the last tab would.
            if (IsEngineUnavailable()) {
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
            } else {
                CloseTab(g_currentTab);
            }
            break;
        case ID_FOCUS_ADDRESS_BAR:
            FocusAddressBar();
            break;
        case ID_NEXT_TAB:
            ActivateTabBy(1);
            break;
        case ID_PREVIOUS_TAB:
            ActivateTabBy(-1);
            break;
        case ID_LAST_TAB:
            SwitchToTab(static_cast<int>(g_tabs.size()) - 1);
            break;
        case ID_REOPEN_CLOSED_TAB:
            NewTabOrRestart(hwnd, AfterEngineStart::ReopenClosedTab);
            break;
        case ID_MOVE_TAB_LEFT:
            MoveTab(g_currentTab, g_currentTab - 1);
            break;
        case ID_MOVE_TAB_RIGHT:
            MoveTab(g_currentTab, g_currentTab + 1);
            break;
        case ID_ADDRESS_BAR:
            if (HIWORD(wParam) == EN_CHANGE) OnAddressBarChanged();
            break;
        case ID_FIND_IN_PAGE:
            StartFindInPage();
            break;
        case ID_FIND_NEXT:
        case ID_FIND_PREVIOUS:
            FindAgainInPage(id == ID_FIND_NEXT);
            break;
        case ID_PRINT_PAGE:
            PrintPage();
            break;
        default:
            if (id >= ID_SELECT_TAB_1 && id <= ID_SELECT_TAB_8) SwitchToTab(id - ID_SELECT_TAB_1);
            break;
    }
    return 0;
}

// WM_APP_TAB_COMMAND: a command on one tab, by its index (-1 for a tab that
// closed meanwhile, which every command ignores).
LRESULT OnTabCommand(HWND hwnd, WPARAM command, LPARAM index) {
    const int tab = static_cast<int>(index);
    switch (command) {
        case ID_CLOSE_TAB_AT:
            CloseTab(tab);
            break;
        case ID_RELOAD_TAB_AT:
            ReloadTab(tab);
            break;
        case ID_DUPLICATE_TAB_AT:
            DuplicateTab(hwnd, tab);
            break;
        case ID_TOGGLE_MUTE_TAB_AT:
            ToggleTabMute(tab);
            break;
        case ID_CLOSE_OTHER_TABS_AT:
            CloseOtherTabs(tab);
            break;
        case ID_CLOSE_TABS_RIGHT_OF:
            CloseTabsToRight(tab);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT OnNotify(LPARAM lParam) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (AnswerTooltipText(header)) return 0;
    // Only the tab strip's own selection change is a switch.
    if (header->hwndFrom == g_hTabCtrl && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        SwitchToTab(static_cast<int>(SendMessageW(g_hTabCtrl, TCM_GETCURSEL, 0, 0)));
    }
    return 0;
}

// Deactivation remembers where the focus was; activation gives it back there
// (the address bar keeps it across Alt+Tab), or, when nothing of ours had it,
// lets the default handling focus the main window, which hands it to the page.
LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
        return DefWindowProcW(hwnd, WM_ACTIVATE, wParam, lParam);
    }
    OnWindowActivated();
    if (RestoreFocus()) return 0;
    return DefWindowProcW(hwnd, WM_ACTIVATE, wParam, lParam);
}

// The message for each kind of failure; %08lX is the error code.
const wchar_t* EngineFailureFormat(EngineFailureKind kind) {
    switch (kind) {
        case EngineFailureKind::RuntimeMissing:
            return L"The WebView2 Runtime is not installed (error 0x%08lX).\n\n"
                   L"Velquin shows web pages with Microsoft's WebView2 Runtime. Install the Evergreen "
                   L"WebView2 Runtime from Microsoft's download page, "
                   L"https://developer.microsoft.com/microsoft-edge/webview2/, then start Velquin again.";
        case EngineFailureKind::LoaderMissing:
            return L"WebView2Loader.dll is missing (error 0x%08lX).\n\n"
                   L"It must be in the same folder as velquin.exe. It comes with Velquin's release package, "
                   L"or from the Microsoft.Web.WebView2 package (folder build\\native\\x64).";
        case EngineFailureKind::NotALoader:
            return L"The WebView2Loader.dll beside velquin.exe is not a usable WebView2 loader "
                   L"(error 0x%08lX).\n\n"
                   L"Replace it with the 64-bit WebView2Loader.dll of Velquin's release package or of the "
                   L"Microsoft.Web.WebView2 package (folder build\\native\\x64).";
        case EngineFailureKind::Other:
            break;
    }
    return L"The web engine could not be started (error 0x%08lX).\n\n"
           L"Make sure the WebView2 Runtime is installed and that WebView2Loader.dll "
           L"is in the same folder as velquin.exe.";
}

}  // namespace

void ReportEngineStartFailure(HWND owner, HRESULT failure, EngineFailureSource source) {
    wchar_t text[768];
    swprintf(text, sizeof(text) / sizeof(text[0]), EngineFailureFormat(ClassifyEngineFailure(source, failure)),
             static_cast<unsigned long>(failure));
    MessageBoxW(owner, text, kMainWindowTitle, MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(hwnd);
        case WM_DESTROY:
            return OnDestroy(hwnd);
        case WM_SIZE:
            CloseSuggestions();
            OnMainWindowSized(wParam);
            return 0;
        case WM_MOVE:
            // The list is placed under the address bar once; it does not follow.
            CloseSuggestions();
            OnMainWindowMoved();
            return 0;
        case WM_SETFOCUS:
            PassFocusToPage();
            return 0;
        case WM_ACTIVATE:
            return OnActivate(hwnd, wParam, lParam);
        case WM_NOTIFY:
            return OnNotify(lParam);
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_MOUSEMOVE:
            RelayMainWindowMouseMove(hwnd, wParam, lParam);
            return 0;
        case WM_COMMAND:
            return OnCommand(hwnd, wParam);
        case WM_APP_TAB_COMMAND:
            return OnTabCommand(hwnd, wParam, lParam);
        case WM_APP_OPEN_NEW_WINDOWS:
            OpenRequestedWindows(hwnd);
            return 0;
        case WM_APP_ENGINE_START_FAILED:
            ReportEngineStartFailure(hwnd, static_cast<HRESULT>(wParam), static_cast<EngineFailureSource>(lParam));
            return 0;
        case WM_APP_TAB_PROCESS_FAILED:
            HandleTabProcessFailures(hwnd);
            return 0;
        case WM_APP_RECOVER_ENGINE:
            RecoverEngine();
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
