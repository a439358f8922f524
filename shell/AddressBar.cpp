#include "shell/AddressBar.h"

#include "core/AddressBarFocus.h"
#include "core/AddressBarText.h"
#include "core/AddressInput.h"
#include "core/WindowHandles.h"
#include "shell/AddressSuggestionList.h"

WNDPROC g_oldAddressBarProc = nullptr;

void InstallAddressBarProc() {
    g_oldAddressBarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_hAddressBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AddressBarProc)));
}

LRESULT CALLBACK AddressBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return 0;
    if (message == WM_KEYDOWN && HandleSuggestionKey(wParam)) return 0;
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        EndAddressEditing();
        NavigateFromAddressBar(ReadAddressBarText(hwnd));
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        RestoreCurrentAddress();
        return 0;
    }
    if (message == WM_SETTEXT) return SetAddressBarTextByBrowser(hwnd, message, wParam, lParam, g_oldAddressBarProc);
    if (message == WM_KILLFOCUS) {
        CloseSuggestions();
        OnAddressBarFocusLost(reinterpret_cast<HWND>(wParam));
    }
    return CallWindowProcW(g_oldAddressBarProc, hwnd, message, wParam, lParam);
}
