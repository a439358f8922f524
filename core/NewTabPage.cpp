#include "core/NewTabPage.h"

#include "core/AddressBarFocus.h"
#include "core/EngineString.h"
#include "core/Tabs.h"

const wchar_t NewTabPageHtml[] =
    L"<html><head><title>New Tab</title><style>"
    L"body { font-family: 'Segoe UI', sans-serif; background: #f0f2f5; display: flex; flex-direction: column; "
    L"align-items: center; justify-content: center; height: 100vh; margin: 0; overflow: hidden; }"
    L"h1 { color: #1c1e21; font-size: 48px; margin-bottom: 10px; }"
    L"p { color: #606770; font-size: 18px; }"
    L".search-box { background: white; border: 1px solid #ddd; padding: 15px 25px; border-radius: 30px; "
    L"width: 500px; box-shadow: 0 2px 5px rgba(0,0,0,0.1); color: #888; text-align: center; cursor: text; "
    L"transition: 0.2s; }"
    L".search-box:hover { border-color: #4285f4; box-shadow: 0 2px 8px rgba(0,0,0,0.15); }"
    L"</style></head><body><h1>New Tab</h1><p>Search or type a URL in the bar above to get started.</p>"
    L"<div class='search-box' onclick='window.chrome.webview.postMessage("
    L"\""
    L"focus_url"
    L"\""
    L")'>Search Google...</div></body></html>";

bool IsFocusAddressBarMessage(const std::wstring& message) {
    return message == L"focus_url";
}

namespace {

// Only the current tab's New Tab page may move the keyboard: any other page,
// or one in a background tab, could otherwise pull what the user is typing
// into the address bar.
bool IsCurrentNewTabPage(ICoreWebView2* sender) {
    if (sender == nullptr || sender != CurrentWebView()) return false;
    EngineString source;
    return SUCCEEDED(sender->get_Source(source.Out())) && !source.IsNull() && IsNewTabPageSource(source.Copy());
}

}  // namespace

HRESULT OnWebMessageReceived(ICoreWebView2* sender, ICoreWebView2WebMessageReceivedEventArgs* args) {
    EngineString message;
    args->TryGetWebMessageAsString(message.Out());
    if (message.IsNull() || !IsFocusAddressBarMessage(message.Copy())) return S_OK;
    if (IsCurrentNewTabPage(sender)) FocusAddressBar();
    return S_OK;
}
