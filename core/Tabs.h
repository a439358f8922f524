// The list of open tabs, the current tab, and switching and closing tabs.
//
// g_tabs and the tab strip always agree: item i of the strip belongs to
// g_tabs[i]. Once the first tab exists exactly one tab is current, its
// controller is the only visible one, and the last tab is never closed (while
// a failed engine is replaced, both are empty until the tabs come back).
#pragma once

#include "core/NewTabAddress.h"
#include "engine/WebViewInterfaces.h"

#include <wrl/client.h>

#include <string>
#include <vector>

// What the handling of failed engine processes keeps for a tab. Failures are
// acted on later, from a posted message; the flags say what waits.
struct TabFailureState {
    bool reloadPending = false;     // its render process exited
    ULONGLONG lastCrashReload = 0;  // GetTickCount64 of the last reload for an exit; 0: none yet
    bool hangPending = false;       // it stopped responding: the question waits
    bool hangAsked = false;         // asked about this hang already
    bool browserExited = false;     // the engine's browser process exited under it: a recovery is posted
};

struct BrowserTab {
    Microsoft::WRL::ComPtr<ICoreWebView2Controller> controller;
    Microsoft::WRL::ComPtr<ICoreWebView2> webview;
    EventRegistrationToken titleChangedToken = {};
    std::wstring lastSource;  // the last address it reported or was asked to load; reopened after a failure
    bool loading = false;     // its latest navigation has started and not completed
    UINT64 latestNavigation = 0;  // the highest navigation id it has seen start
    TabFailureState failure;
};

extern std::vector<BrowserTab> g_tabs;
extern int g_currentTab;  // -1 until the first tab has become current

// The built-in page is reported as a data URL: its source begins with
// "data:text/html".
bool IsNewTabPageSource(const std::wstring& source);

// Whether a text mentions the built-in page's data address anywhere (the
// caption rule's looser test: it only decides a caption).
bool MentionsNewTabPage(const std::wstring& text);

// What the address bar shows for a source: the internal address for the
// built-in page, otherwise the source itself.
std::wstring AddressForDisplay(const std::wstring& source);

// Whether `index` is the index of an open tab.
bool IsTabIndex(int index);

// The current tab's web view and controller, or null while there is no current tab.
ICoreWebView2* CurrentWebView();
ICoreWebView2Controller* CurrentController();

// Index of the tab whose web view is `webview` (pointer identity), or -1.
int FindTabByWebView(const ICoreWebView2* webview);

// Makes tab `index` current; the tab that was current first ends its page's
// full screen.
void SwitchToTab(int index);
// Selects tab `index` in the strip and switches to it; ignores an index out of range.
void ActivateTab(int index);
// Activates the tab `step` places after the current one (before it for a
// negative step), wrapping around at either end of the strip.
void ActivateTabBy(int step);

// Closes tab `index` and remembers its address for reopening (the current
// tab first ends its page's full screen). Closing the
// current tab makes the tab that moves into its place current (the new last
// tab when it was the last); closing another keeps the current tab current.
void CloseTab(int index);
// Closes tab `index` as CloseTab does, but leaves it out of the closed tabs:
// Ctrl+Shift+T never brings it back.
void DiscardTab(int index);

// Moves tab `from` to place `to` (both existing places; otherwise nothing
// happens): the list, the strip's item with its caption, and the current tab
// move together, and the same tab stays current and shown.
void MoveTab(int from, int to);

// Tab `index` reported `source`: a recovery reopens it there, and its page is
// alive, so a later hang is a new one.
void NoteTabSource(int index, const std::wstring& source);

// Drops every tab from the list and the strip (their engine objects are let
// go, not closed); there is no current tab afterwards.
void ClearTabs();
