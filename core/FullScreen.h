// Full screen: the main window covers its monitor without a frame, the eight
// controls are hidden and the current tab's page has the whole client area.
//
// Who holds it: the current tab's page (a video's full-screen button), kept
// on that tab (BrowserTab::pageFullScreen), or the user with F11, kept here
// for the window: F11 holds the window full screen across tab switches,
// while a page's request ends when its tab stops being current.
#pragma once

#include "engine/WebViewInterfaces.h"

// Whether the window is full screen now.
bool IsWindowFullScreen();

// The page of a tab has or has lost a full-screen element: the current tab's
// page decides whether it holds full screen; a background tab's changes
// nothing.
HRESULT OnContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* args);

// F11: out of full screen it enters full screen by hand; in full screen,
// whoever asked, it leaves, and a full-screen page is asked to leave too.
void ToggleFullScreen();

// Tab `index` is about to stop being current, or is gone from view (a
// crash): its page stops holding full screen and is asked to leave it. The
// window returns unless F11 holds it. Nothing for a tab whose page holds none.
void EndTabFullScreen(int index);

// As EndTabFullScreen, but the page is not asked: its engine is gone.
void DropTabFullScreen(int index);

// Ends the full screen of every tab's page but the current one's (none is
// left after a change of the current tab), and brings the window to what is
// asked now.
void ApplyFullScreen();

// Leaves full screen whoever holds it: F11's request ends, and the current
// page is asked to leave as on a switch (the keyboard is about to go into a
// control that full screen hides).
void EndFullScreen();

// The window was activated: a window that left full screen while inactive
// and had been maximised is maximised now, by the user's return.
void OnWindowActivated();

// A new main window starts out of full screen, whatever a previous one left;
// nothing is asked of any page.
void ForgetFullScreen();
