#include "core/AddressBarText.h"

#include "core/EngineString.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

// The edit control's own modification flag records whether the user changed
// its text: typing, pasting and cutting set it, and setting the text clears it.

void ShowCurrentAddress() {
    ICoreWebView2* webview = CurrentWebView();
    if (webview == nullptr) return;
    EngineString uri;
    if (FAILED(webview->get_Source(uri.Out())) || uri.IsNull()) return;
    SetWindowTextW(g_hAddressBar, AddressForDisplay(uri.Copy()).c_str());
    SendMessageW(g_hAddressBar, EM_SETMODIFY, FALSE, 0);
}

void ShowReportedAddress(const std::wstring& source) {
    if (IsAddressBeingEdited()) return;
    SetWindowTextW(g_hAddressBar, AddressForDisplay(source).c_str());
    SendMessageW(g_hAddressBar, EM_SETMODIFY, FALSE, 0);
    // The user is in the bar and has typed nothing yet: what they type
    // replaces the address at once.
    if (GetFocus() == g_hAddressBar) SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
}

bool IsAddressBeingEdited() {
    return GetFocus() == g_hAddressBar && SendMessageW(g_hAddressBar, EM_GETMODIFY, 0, 0) != 0;
}

void EndAddressEditing() {
    SendMessageW(g_hAddressBar, EM_SETMODIFY, FALSE, 0);
}
