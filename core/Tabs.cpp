#include "core/Tabs.h"

#include "core/AddressBarText.h"
#include "core/ClosedTabs.h"
#include "core/FullScreen.h"
#include "core/KeyboardFocus.h"
#include "core/Layout.h"
#include "core/Loading.h"
#include "core/NavigationButtons.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

#include <cwchar>
#include <utility>

std::vector<BrowserTab> g_tabs;
int g_currentTab = -1;

namespace {

const wchar_t kNewTabPageMarker[] = L"data:text/html";

}  // namespace

bool IsTabIndex(int index) {
    return index >= 0 && static_cast<size_t>(index) < g_tabs.size();
}

bool IsNewTabPageSource(const std::wstring& source) {
    // Its own address begins so; a page whose address merely contains the
    // text elsewhere is a web page like any other.
    return source.compare(0, std::wcslen(kNewTabPageMarker), kNewTabPageMarker) == 0;
}

bool MentionsNewTabPage(const std::wstring& text) {
    return text.find(kNewTabPageMarker) != std::wstring::npos;
}

std::wstring AddressForDisplay(const std::wstring& source) {
    return IsNewTabPageSource(source) ? std::wstring(kNewTabAddress) : source;
}

ICoreWebView2* CurrentWebView() {
    return IsTabIndex(g_currentTab) ? g_tabs[g_currentTab].webview.Get() : nullptr;
}

ICoreWebView2Controller* CurrentController() {
    return IsTabIndex(g_currentTab) ? g_tabs[g_currentTab].controller.Get() : nullptr;
}

int FindTabByWebView(const ICoreWebView2* webview) {
    for (size_t i = 0; i < g_tabs.size(); ++i) {
        if (g_tabs[i].webview.Get() == webview) return static_cast<int>(i);
    }
    return -1;
}

void SwitchToTab(int index) {
    if (!IsTabIndex(index)) return;
    if (index != g_currentTab) EndPageFullScreen();
    if (IsTabIndex(g_currentTab)) g_tabs[g_currentTab].controller->put_IsVisible(FALSE);
    g_currentTab = index;
    // A minimised window keeps its page hidden from the engine until restored.
    g_tabs[g_currentTab].controller->put_IsVisible(IsIconic(g_hMainWnd) ? FALSE : TRUE);
    ShowCurrentAddress();
    UpdateNavigationButtons();
    UpdateReloadButton();
    ResizeBrowser();
    SetFocus(g_hMainWnd);
    // The main window hands the focus on to the page when it receives it; if
    // it had it already, no WM_SETFOCUS came to do so.
    if (GetFocus() == g_hMainWnd) FocusCurrentPage();
}

void ActivateTab(int index) {
    if (!IsTabIndex(index)) return;
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    SwitchToTab(index);
}

void ActivateTabBy(int step) {
    if (!IsTabIndex(g_currentTab)) return;
    const int count = static_cast<int>(g_tabs.size());
    ActivateTab(((g_currentTab + step) % count + count) % count);
}

namespace {

void CloseTabAt(int index, bool remember) {
    if (!IsTabIndex(index) || g_tabs.size() < 2) return;
    if (index == g_currentTab) EndPageFullScreen();
    if (remember) RememberClosedTab(g_tabs[index].lastSource);
    g_tabs[index].controller->Close();
    g_tabs.erase(g_tabs.begin() + index);
    SendMessageW(g_hTabCtrl, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (index != g_currentTab) {
        // Another tab: the current one stays current and visible as it is;
        // only its index moves when a tab before it went.
        if (index < g_currentTab) --g_currentTab;
        SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(g_currentTab), 0);
        return;
    }
    if (static_cast<size_t>(g_currentTab) >= g_tabs.size()) g_currentTab = static_cast<int>(g_tabs.size()) - 1;
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(g_currentTab), 0);
    SwitchToTab(g_currentTab);
}

}  // namespace

void CloseTab(int index) { CloseTabAt(index, true); }

void DiscardTab(int index) { CloseTabAt(index, false); }

void MoveTab(int from, int to) {
    if (!IsTabIndex(from) || !IsTabIndex(to) || from == to) return;
    BrowserTab moved = std::move(g_tabs[from]);
    g_tabs.erase(g_tabs.begin() + from);
    g_tabs.insert(g_tabs.begin() + to, std::move(moved));
    if (g_currentTab == from) {
        g_currentTab = to;
    } else if (from < g_currentTab && g_currentTab <= to) {
        --g_currentTab;
    } else if (to <= g_currentTab && g_currentTab < from) {
        ++g_currentTab;
    }

    // The strip's item goes with it, caption and all (a caption is never
    // longer than kMaxCaptionLength).
    wchar_t caption[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = static_cast<int>(sizeof(caption) / sizeof(caption[0]));
    SendMessageW(g_hTabCtrl, TCM_GETITEMW, static_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&item));
    SendMessageW(g_hTabCtrl, TCM_DELETEITEM, static_cast<WPARAM>(from), 0);
    SendMessageW(g_hTabCtrl, TCM_INSERTITEMW, static_cast<WPARAM>(to), reinterpret_cast<LPARAM>(&item));
    // Sends no TCN_SELCHANGE: the current tab did not change, only its place.
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(g_currentTab), 0);
}

void NoteTabSource(int index, const std::wstring& source) {
    if (!IsTabIndex(index)) return;
    g_tabs[index].lastSource = source;
    g_tabs[index].failure.hangAsked = false;
}

void ClearTabs() {
    // Moved out first: releasing the last reference may call back into the browser.
    std::vector<BrowserTab> released;
    released.swap(g_tabs);
    g_currentTab = -1;
    if (IsWindow(g_hTabCtrl)) SendMessageW(g_hTabCtrl, TCM_DELETEALLITEMS, 0, 0);
    released.clear();
}
