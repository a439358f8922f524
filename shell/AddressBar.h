// The address bar's own window procedure, installed over the edit
// control's: Enter resolves the typed text and Escape puts the current tab's
// address back, instead of reaching the control. While the suggestion list is
// shown, Down, Up and Escape act on it first (shell/AddressSuggestionList.h).
#pragma once

#include <windows.h>

extern WNDPROC g_oldAddressBarProc;

// Subclasses g_hAddressBar with AddressBarProc.
void InstallAddressBarProc();

LRESULT CALLBACK AddressBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
