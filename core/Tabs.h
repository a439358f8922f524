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

// Puts the current tab's address into the address bar by the display rule.
// With no current tab, or when the engine cannot tell the address, the bar
// keeps what it shows.
void ShowCurrentAddress();

void SwitchToTab(int index);
// Selects tab `index` in the strip and switches to it; ignores an index out of range.
void ActivateTab(int index);
// Activates the tab `step` places after the current one (before it for a
// negative step), wrapping around at either end of the strip.
void ActivateTabBy(int step);

// Closes tab `index` and remembers its address for reopening. Closing the
// current tab makes the tab that moves into its place current (the new last
// tab when it was the last); closing another keeps the current tab current.
void CloseTab(int index);
