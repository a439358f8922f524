// The built-in New Tab page and the one message its script sends.
#pragma once

#include "engine/WebViewInterfaces.h"

#include <string>

// The page's whole HTML, handed to the engine with NavigateToString.
extern const wchar_t NewTabPageHtml[];

// The page asks for the address bar's focus with exactly this message.
bool IsFocusAddressBarMessage(const std::wstring& message);

// Focuses the address bar and selects its whole text when a page asks for it;
// ignores every other message, including messages that are not strings.
HRESULT OnWebMessageReceived(ICoreWebView2* sender, ICoreWebView2WebMessageReceivedEventArgs* args);
