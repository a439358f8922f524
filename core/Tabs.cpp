#include "core/Tabs.h"

#include "core/EngineString.h"
#include "core/Layout.h"
#include "core/WindowHandles.h"

#include <commctrl.h>

std::vector<BrowserTab> g_tabs;
int g_currentTab = -1;

namespace {

const wchar_t kNewTabPageMarker[] = L"data:text/html";

bool IsTabIndex(int index) {
    return index >= 0 && static_cast<size_t>(index) < g_tabs.size();
}

// Puts the current tab's address into the address bar. When the engine
// cannot tell the address, the bar keeps what it shows.
void ShowCurrentAddress() {
    EngineString uri;
    if (FAILED(g_tabs[g_currentTab].webview->get_Source(uri.Out())) || uri.IsNull()) return;
    SetWindowTextW(g_hAddressBar, AddressForDisplay(uri.Copy()).c_str());
}

}  // namespace

bool IsNewTabPageSource(const std::wstring& source) {
    return source.find(kNewTabPageMarker) != std::wstring::npos;
}

std::wstring AddressForDisplay(const std::wstring& source) {
    return IsNewTabPageSource(source) ? std::wstring(kNewTabAddress) : source;
}

ICoreWebView2* CurrentWebView() {
    return IsTabIndex(g_currentTab) ? g_tabs[g_currentTab].webview.Get() : nullptr;
}

int FindTabByWebView(const ICoreWebView2* webview) {
    for (size_t i = 0; i < g_tabs.size(); ++i) {
        if (g_tabs[i].webview.Get() == webview) return static_cast<int>(i);
    }
    return -1;
}

void SwitchToTab(int index) {
    if (!IsTabIndex(index)) return;
    if (IsTabIndex(g_currentTab)) g_tabs[g_currentTab].controller->put_IsVisible(FALSE);
    g_currentTab = index;
    g_tabs[g_currentTab].controller->put_IsVisible(TRUE);
    ShowCurrentAddress();
    ResizeBrowser();
    SetFocus(g_hMainWnd);
}

void CloseTab(int index) {
    if (!IsTabIndex(index) || g_tabs.size() < 2) return;
    g_tabs[index].controller->Close();
    g_tabs.erase(g_tabs.begin() + index);
    SendMessageW(g_hTabCtrl, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (static_cast<size_t>(g_currentTab) >= g_tabs.size()) g_currentTab = static_cast<int>(g_tabs.size()) - 1;
    SendMessageW(g_hTabCtrl, TCM_SETCURSEL, static_cast<WPARAM>(g_currentTab), 0);
    SwitchToTab(g_currentTab);
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
