// Pages that open a window (window.open, a link with target="_blank") get a
// tab instead of a window of the engine's own. The request is taken here, in
// the engine's callback; the tab for it is asked for later, from the main
// window's WM_APP_OPEN_NEW_WINDOWS (OpenRequestedWindows, core/TabCreation.h).
#pragma once

#include "engine/WebViewInterfaces.h"

#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

struct BrowserTab;

// One request waiting for its tab.
struct NewWindowRequest {
    Microsoft::WRL::ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args;
    Microsoft::WRL::ComPtr<ICoreWebView2Deferral> deferral;  // null if the engine gave none
    std::wstring uri;
    Microsoft::WRL::ComPtr<ICoreWebView2> previousTab;  // the tab current when the new one arrived
};
using NewWindowRequestPtr = std::shared_ptr<NewWindowRequest>;

// Marks the request handled, so the engine never opens a window of its own.
// A window the page opened by itself (not from a click) is blocked: no tab,
// and the page's window.open gets null. Otherwise takes a deferral, keeps the
// request and posts WM_APP_OPEN_NEW_WINDOWS.
HRESULT OnNewWindowRequested(ICoreWebView2* sender, ICoreWebView2NewWindowRequestedEventArgs* args);

// The requests kept since the last call, oldest first; they are no longer kept.
std::vector<NewWindowRequestPtr> TakeNewWindowRequests();

// The request's tab arrived: the engine loads the address into the web view
// it is handed. When it cannot take it (the opener is gone, say), the tab goes
// there itself only to an http: or https: address or about:blank (no
// address: the New Tab page): a page never chooses what the browser itself
// loads. Its remembered address comes only from what the engine then reports,
// never from the request. The deferral is completed. Returns false when the
// tab is to go again, unseen (any other address).
bool HandOverNewWindow(const NewWindowRequest& request, BrowserTab& tab);

// No tab comes for the request: it is answered with no new window.
void DeclineNewWindow(const NewWindowRequest& request);

// Declines every request still kept (the window or the engine is going).
void DeclinePendingNewWindows();
