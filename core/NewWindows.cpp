#include "core/NewWindows.h"

#include "core/EngineStart.h"
#include "core/EngineString.h"
#include "core/NewTabPage.h"
#include "core/TabCreation.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <wrl/client.h>

#include <memory>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// One request, as its tab request carries it.
struct NewWindowRequest {
    ComPtr<ICoreWebView2NewWindowRequestedEventArgs> args;
    ComPtr<ICoreWebView2Deferral> deferral;  // null if the engine gave none
    std::wstring uri;
    ComPtr<ICoreWebView2> previousTab;  // the tab current when the new one arrived
};
using NewWindowRequestPtr = std::shared_ptr<NewWindowRequest>;

bool StartsWithAsciiIgnoringCase(const std::wstring& text, size_t from, const wchar_t* prefix) {
    for (size_t i = 0; prefix[i] != L'\0'; ++i) {
        if (from + i >= text.size()) return false;
        wchar_t c = text[from + i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The address a page asked for, if the browser may load it for the page
// itself: a web address (http:, https:) or about:blank, without the control
// characters and blanks an address parser drops in front. Anything else (a
// data:, file: or javascript: address, other about: pages, text that is no
// address) gives an empty result.
std::wstring AddressTheBrowserMayLoad(const std::wstring& uri) {
    size_t start = 0;
    while (start < uri.size() && uri[start] <= L' ') ++start;
    const std::wstring address = uri.substr(start);
    const bool web =
        StartsWithAsciiIgnoringCase(address, 0, L"http:") || StartsWithAsciiIgnoringCase(address, 0, L"https:");
    const bool blank = address.size() == 11 && StartsWithAsciiIgnoringCase(address, 0, L"about:blank");
    return web || blank ? address : std::wstring();
}

// The new tab shows nothing yet and goes again, on no list: not among the
// closed tabs, not in History. The tab that was current before it is current
// again. The only tab stays, on the New Tab page.
void DropRequestedTab(const NewWindowRequest& request, BrowserTab& tab) {
    if (g_tabs.size() < 2) {
        tab.webview->NavigateToString(NewTabPageHtml);
        return;
    }
    const ComPtr<ICoreWebView2> dropped = tab.webview;
    const int previous = FindTabByWebView(request.previousTab.Get());
    if (FindTabByWebView(dropped.Get()) == g_currentTab && previous != -1) ActivateTab(previous);
    DiscardTab(FindTabByWebView(dropped.Get()));
}

// The requested tab arrived: the engine loads the address into the web view it
// is handed; when it cannot take it (the opener is gone, say), the tab goes
// there itself, but only to a web address: a page never chooses what the
// browser itself loads. Its remembered address comes only from what the engine
// then reports, never from the request.
void HandOverTab(const NewWindowRequest& request, BrowserTab& tab) {
    if (FAILED(request.args->put_NewWindow(tab.webview.Get()))) {
        const std::wstring address = AddressTheBrowserMayLoad(request.uri);
        if (request.uri.empty()) {
            tab.webview->NavigateToString(NewTabPageHtml);
        } else if (!address.empty()) {
            tab.webview->Navigate(address.c_str());
        } else {
            DropRequestedTab(request, tab);
        }
    }
    if (request.deferral) request.deferral->Complete();
}

// A window the page opened by itself (a timer, page load), not from a click.
bool IsPopUp(ICoreWebView2NewWindowRequestedEventArgs* args) {
    BOOL userInitiated = FALSE;
    return FAILED(args->get_IsUserInitiated(&userInitiated)) || !userInitiated;
}

}  // namespace

HRESULT OnNewWindowRequested(ICoreWebView2* /*sender*/, ICoreWebView2NewWindowRequestedEventArgs* args) {
    // Handled: whatever follows, the engine opens no window of its own.
    args->put_Handled(TRUE);
    // Pop-ups are blocked: no tab, and the page's window.open gets null.
    if (IsPopUp(args)) return S_OK;

    auto request = std::make_shared<NewWindowRequest>();
    request->args = args;
    EngineString uri;
    args->get_Uri(uri.Out());
    request->uri = uri.Copy();
    TabRequest tabRequest;
    // At the end; asked just before the tab is added, so the tab current then is known.
    tabRequest.position = [request] {
        request->previousTab = CurrentWebView();
        return g_tabs.size();
    };
    tabRequest.show = [request](BrowserTab& tab) { HandOverTab(*request, tab); };
    // No tab: the request is answered with no new window.
    tabRequest.failed = [request](HRESULT, bool) {
        if (request->deferral) request->deferral->Complete();
    };
    args->GetDeferral(&request->deferral);
    try {
        RequestTab(g_hMainWnd, std::move(tabRequest));
    } catch (...) {
        // Out of memory: a deferral never completed would hold the page's request forever.
        if (request->deferral) request->deferral->Complete();
        throw;
    }
    return S_OK;
}
