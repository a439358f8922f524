#include "core/AddressBarFocus.h"

#include "core/AddressBarText.h"
#include "core/WindowHandles.h"

void FocusAddressBar() {
    SetFocus(g_hAddressBar);
    SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
}

void RestoreCurrentAddress() {
    ShowCurrentAddress();
    SendMessageW(g_hAddressBar, EM_SETSEL, 0, -1);
}
