// Creating tabs: the engine environment, a controller per tab, and wiring
// each new tab's web view to the browser's event handlers.
#pragma once

#include "engine/WebViewInterfaces.h"

#include <wrl/client.h>

extern Microsoft::WRL::ComPtr<ICoreWebView2Environment> g_environment;

// Keeps the environment and asks for the first tab. A failure, or success
// without an environment, is reported to the main window, which tells the user.
HRESULT OnEnvironmentCreated(HRESULT result, ICoreWebView2Environment* environment);

// Asks the engine for a new tab hosted in `parent`; does nothing before the
// environment exists.
void CreateNewTab(HWND parent);

// Builds the tab, wires its handlers, appends it and makes it current,
// selected in the strip; it has not navigated yet. A null controller or one
// without a web view adds no tab: returns false.
bool AddTab(ICoreWebView2Controller* controller);

// Adds the tab (AddTab) and shows the New Tab page in it.
HRESULT OnControllerCreated(HRESULT result, ICoreWebView2Controller* controller);

// Drops every engine reference the browser holds; run before COM ends.
void ReleaseEngineObjects();
