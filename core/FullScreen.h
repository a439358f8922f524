// Full screen: the main window covers its monitor without a frame, the eight
// controls are hidden and the current tab's page has the whole client area.
// It is full screen while the current tab's page asks for it (a video's
// full-screen button) or while F11 does.
#pragma once

#include "engine/WebViewInterfaces.h"

// Whether the window is full screen now.
bool IsWindowFullScreen();

// The page of a tab has or has lost a full-screen element: the current tab's
// page decides whether it asks for full screen; a background tab's changes
// nothing.
HRESULT OnContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* args);

// F11: out of full screen it enters full screen by hand; in full screen,
// whoever asked, it leaves, and a full-screen page is asked to leave too.
void ToggleFullScreen();

// The current tab is about to stop being current (a switch, closing it, a new
// tab, a crash, a recovery): a full-screen page of it stops asking for full
// screen and is asked to leave it. The window returns unless F11 holds it.
void EndPageFullScreen();

// A new main window starts out of full screen, whatever a previous one left.
void ForgetFullScreen();
