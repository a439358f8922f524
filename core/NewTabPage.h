// The built-in New Tab page and the one message its script sends.
#pragma once

#include "engine/WebViewInterfaces.h"

#include <string>

// The page's whole HTML, handed to the engine with NavigateToString.
extern const wchar_t NewTabPageHtml[];

// The page asks for the address bar's focus with exactly this message.
bool IsFocusAddressBarMessage(const std::wstring& message);

// Focuses the address bar and selects its whole text when the current tab's
// New Tab page asks for it; ignores the message from any other page or tab,
// and every other message, including messages that are not strings.
HRESULT OnWebMessageReceived(ICoreWebView2* sender, ICoreWebView2WebMessageReceivedEventArgs* args);
