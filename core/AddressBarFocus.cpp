#include "core/AddressBarFocus.h"

#include "core/AddressBarText.h"
#include "core/FullScreen.h"
#include "core/WindowHandles.h"

void FocusAddressBar() {
    // Full screen hides the bar: typing into it would be invisible.
    if (IsWindowFullScreen()) EndFullScreen();
    SetFocus(g_hAddressBar);
    SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
}

void RestoreCurrentAddress() {
    ShowCurrentAddress();
    SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
}
