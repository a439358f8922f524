// Back and Next show whether the current tab can go back or forward.
#pragma once

#include "engine/WebViewInterfaces.h"

// Enables Back exactly when the current tab's web view can go back, and Next
// exactly when it can go forward. A button whose answer the engine cannot give
// is enabled; so are both before the first tab. A button that loses its
// enabled state while it has the keyboard focus hands the focus to the main
// window, so that the keys keep arriving.
void UpdateNavigationButtons();

// The back/forward list of a tab changed: the buttons follow it when it is the
// current tab's.
HRESULT OnHistoryChanged(ICoreWebView2* sender, IUnknown* args);
