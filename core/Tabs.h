// The list of open tabs, the current tab, and switching and closing tabs.
//
// g_tabs and the tab strip always agree: item i of the strip belongs to
// g_tabs[i]. Once the first tab exists exactly one tab is current, its
// controller is the only visible one, and the last tab is never closed.
#pragma once

#include "core/NewTabAddress.h"
#include "engine/WebViewInterfaces.h"

#include <wrl/client.h>

#include <string>
#include <vector>

struct BrowserTab {
    Microsoft::WRL::ComPtr<ICoreWebView2Controller> controller;
    Microsoft::WRL::ComPtr<ICoreWebView2> webview;
    EventRegistrationToken titleChangedToken = {};
};

extern std::vector<BrowserTab> g_tabs;
extern int g_currentTab;  // -1 until the first tab has become current

// The built-in page is reported as a data URL; these tell it apart.
bool IsNewTabPageSource(const std::wstring& source);

// What the address bar shows for a source: the internal address for the
// built-in page, otherwise the source itself.
std::wstring AddressForDisplay(const std::wstring& source);

// The current tab's web view, or null while there is no current tab.
ICoreWebView2* CurrentWebView();

// Index of the tab whose web view is `webview` (pointer identity), or -1.
int FindTabByWebView(const ICoreWebView2* webview);

void SwitchToTab(int index);
void CloseTab(int index);
