// Creating tabs: asking the engine for a controller, adding it as a tab wired
// to the browser's event handlers, and what a new tab shows.
#pragma once

#include "core/CurrentTab.h"
#include "engine/WebViewInterfaces.h"

#include <functional>
#include <string>

struct BrowserTab;

// What one request for a tab does once the engine answers. Exactly one of
// `show` and `failed` runs, once.
struct TabRequest {
    // Where the tab goes among the tabs there are when it arrives (past the
    // end: at the end). Asked only then; null: at the end.
    std::function<size_t()> position;
    // Whether it becomes current (it does anyway while no tab is current).
    bool makeCurrent = true;
    // Where the keyboard goes when it becomes current.
    KeyboardAfterChange keyboard = KeyboardAfterChange::Page;
    // The tab arrived and was added: what it shows is up to the caller.
    std::function<void(BrowserTab& tab)> show;
    // No tab came: the request failed (at once or later), brought no web view,
    // or `stale`: the engine it was asked of has been let go since (or there
    // was none), which is no failure of its own to report.
    std::function<void(HRESULT failure, bool stale)> failed;
};

// Asks g_environment for a controller hosted in `parent` and, when it comes,
// adds it as a tab by `request`. A request that fails at once runs `failed`
// before this returns, like one that fails later.
void RequestTab(HWND parent, TabRequest request);

// A tab the user asked for did not come: reported when the window is left
// without any tab, unless the engine it was asked of is gone (`stale`).
void ReportTabFailure(HRESULT failure, bool stale);

// "+": a tab at the end, made current, on the New Tab page, with the
// keyboard in the address bar, all of it selected. Does nothing
// before the environment exists; a tab that cannot be made is reported when
// the window has none.
void CreateNewTab(HWND parent);

// Adds `controller` as a tab: wires its handlers, inserts it at `position` in
// the list and the strip (captioned "New Tab") and makes it current when
// `makeCurrent` is set or no tab is current, the keyboard going as `keyboard`
// says; otherwise hides it. What the tab shows is the caller's business.
// Returns its index, or -1, adding nothing, when the controller is null or
// brings no web view.
int AddTab(ICoreWebView2Controller* controller, size_t position, bool makeCurrent,
           KeyboardAfterChange keyboard = KeyboardAfterChange::Page);

// Takes a tab to an address it showed or is to show: the New Tab page where
// that is the New Tab page's (or nothing yet), otherwise the address itself,
// which it remembers.
void ShowAddress(BrowserTab& tab, const std::wstring& address);

// Closes the new tab whose web view is `discarded` again, remembered nowhere
// (not among the closed tabs; it loaded nothing, so nothing is in History),
// and makes the tab at `previous` current again if the new one was current.
// The only tab stays instead, on the New Tab page.
void DiscardNewTab(ICoreWebView2* discarded, ICoreWebView2* previous);

// WM_APP_OPEN_NEW_WINDOWS: a tab for each new window the pages asked for
// (core/NewWindows.h), at the end of the strip, made current, the keyboard in
// its page. Each request is answered once its tab arrives, or declined when
// none can come; a tab the request cannot take and that is not to load the
// address itself goes again (DiscardNewTab).
void OpenRequestedWindows(HWND parent);
