// A tab's web view reported a new source (address).
#pragma once

#include "engine/WebViewInterfaces.h"

// Remembers the address as the tab's own, shows it in the address bar when
// the tab is current (leaving what the user is typing alone), and records it
// in the history unless it is the built-in page's.
HRESULT OnSourceChanged(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args);
