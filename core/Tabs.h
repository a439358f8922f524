// The list of open tabs and the current tab, the bottom of the browser: every
// other part reads it, and only the five functions at the end change it.
//
// g_tabs and the tab strip always agree: item i of the strip belongs to
// g_tabs[i], and the strip's selection is g_currentTab. Once the first tab
// exists exactly one tab is current (while a failed engine is replaced, both
// are empty until the tabs come back). What the window shows of the current
// tab is not kept here: core/CurrentTab.h refreshes it after a change.
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
    bool pageFullScreen = false;  // its page has a full-screen element and holds the window full screen
    bool findStarted = false;     // Ctrl+F started a find in its page (set by PageTools)
    bool inBackground = false;    // the engine was last told its page is in the background (set by MemoryLevels)
    int iconImage = -1;           // its page's own icon in the strip's image list; -1: none (SetTabIconImage)
    UINT64 iconAnswersAfter = 0;  // icon requests numbered up to this show no more (set by TabIcons)
    UINT64 latestIconRequest = 0; // the number of its latest icon request (set by TabIcons)
    ULONGLONG backgroundSince = 0;  // GetTickCount64 when it went out of sight; 0 while in sight (set by MemoryLevels)
    // Its latest TrySuspend (set by TabSleep): the clock's time, and the
    // backgroundSince of that time out of sight (a try counts only within it).
    ULONGLONG lastSleepTry = 0;
    ULONGLONG lastSleepTryBackground = 0;
    TabFailureState failure;
};

extern std::vector<BrowserTab> g_tabs;
extern int g_currentTab;  // -1 while there is no tab

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

// Tab `index` reported `source`: a recovery reopens it there, and its page is
// alive, so a later hang is a new one.
void NoteTabSource(int index, const std::wstring& source);

// A tab's own image in the strip's image list: at most one per tab, dropped
// with the tab, so the list never grows past the open tabs and its fixed
// images. Which image an item shows is the icon feature's (core/TabIcons.h).

// Puts `image` (a bitmap of the list's size; the caller keeps and deletes it)
// in as tab `index`'s own image, replacing the one it had. False if the list
// took nothing.
bool SetTabIconImage(int index, HBITMAP image);

// Takes tab `index`'s own image out of the list (none: nothing changes); the
// strip's items that show a later image keep showing it.
void DropTabIconImage(int index);

// The changes of the list. Each keeps the strip's items and selection, g_tabs
// and g_currentTab in step; none shows, hides or focuses anything.

// Inserts `tab` at `index` (past the end: at the end), captioned "New Tab".
// The current tab stays current; the first tab becomes current. Returns its index.
int InsertTab(BrowserTab tab, size_t index);

// Takes tab `index` out of the list and returns it. When it was current, the
// tab that moves into its place becomes current (the new last tab when it was
// the last; none when it was the only one).
BrowserTab EraseTab(int index);

// Moves tab `from` to place `to` (both existing places), caption and all; the
// same tab stays current.
void MoveTabPlace(int from, int to);

// Makes tab `index` current (an index out of range changes nothing).
void MakeTabCurrent(int index);

// Takes every tab out (their engine objects are let go, not closed); there is
// no current tab afterwards.
void ClearTabs();

// Takes every tab out and returns them, in order, for the caller to close;
// there is no current tab afterwards.
std::vector<BrowserTab> TakeAllTabs();
