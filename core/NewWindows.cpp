#include "core/NewWindows.h"

#include "core/AppMessages.h"
#include "core/EngineString.h"
#include "core/NewTabPage.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

#include <utility>

namespace {

std::vector<NewWindowRequestPtr> g_newWindowRequests;  // waiting for WM_APP_OPEN_NEW_WINDOWS

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
    args->GetDeferral(&request->deferral);
    try {
        g_newWindowRequests.push_back(request);
    } catch (...) {
        // Out of memory: a deferral never completed would hold the page's request forever.
        DeclineNewWindow(*request);
        throw;
    }
    PostMessageW(g_hMainWnd, WM_APP_OPEN_NEW_WINDOWS, 0, 0);
    return S_OK;
}

std::vector<NewWindowRequestPtr> TakeNewWindowRequests() {
    std::vector<NewWindowRequestPtr> taken;
    taken.swap(g_newWindowRequests);
    return taken;
}

bool HandOverNewWindow(const NewWindowRequest& request, BrowserTab& tab) {
    bool keep = true;
    if (FAILED(request.args->put_NewWindow(tab.webview.Get()))) {
        const std::wstring address = AddressTheBrowserMayLoad(request.uri);
        if (request.uri.empty()) {
            tab.webview->NavigateToString(NewTabPageHtml);
        } else if (!address.empty()) {
            tab.webview->Navigate(address.c_str());
        } else {
            keep = false;
        }
    }
    if (request.deferral) request.deferral->Complete();
    return keep;
}

void DeclineNewWindow(const NewWindowRequest& request) {
    if (request.deferral) request.deferral->Complete();
}

void DeclinePendingNewWindows() {
    for (const NewWindowRequestPtr& request : TakeNewWindowRequests()) DeclineNewWindow(*request);
}
