// Pages that open a window (window.open, a link with target="_blank") get a
// tab instead of a window of the engine's own.
#pragma once

#include "engine/WebViewInterfaces.h"

// Takes the request (Handled, with a deferral) and asks for a new controller.
// When it arrives, the new tab is added at the end and made current, its web
// view is handed to the request, then the deferral is completed. If the request
// can no longer take the web view, the tab loads the address itself when it is
// an http: or https: address or about:blank (no address: the New Tab page);
// any other address closes the tab again, remembered nowhere, and the tab
// current before it is current again. If no tab can be made, the deferral
// completes with no new window and nothing opens.
HRESULT OnNewWindowRequested(ICoreWebView2* sender, ICoreWebView2NewWindowRequestedEventArgs* args);
