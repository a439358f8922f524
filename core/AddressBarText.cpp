#include "core/AddressBarText.h"

#include "core/EngineString.h"
#include "core/Tabs.h"
#include "core/WindowHandles.h"

namespace {

bool g_editing = false;  // the user is editing the bar's text

}  // namespace

void ShowCurrentAddress() {
    ICoreWebView2* webview = CurrentWebView();
    if (webview == nullptr) return;
    g_editing = false;
    EngineString uri;
    if (FAILED(webview->get_Source(uri.Out())) || uri.IsNull()) return;
    SetWindowTextW(g_hAddressBar, AddressForDisplay(uri.Copy()).c_str());
}

void ShowReportedAddress(const std::wstring& source) {
    if (g_editing) return;
    SetWindowTextW(g_hAddressBar, AddressForDisplay(source).c_str());
    // The user is in the bar and has typed nothing yet: what they type
    // replaces the address at once.
    if (GetFocus() == g_hAddressBar) SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
}

bool IsAddressBeingEdited() { return g_editing; }

void BeginAddressEditing() { g_editing = true; }

void EndAddressEditing() { g_editing = false; }

void OnAddressBarFocusLost(HWND next) {
    if (next != nullptr && (next == g_hMainWnd || IsChild(g_hMainWnd, next))) g_editing = false;
}
