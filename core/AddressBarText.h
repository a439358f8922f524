// What the address bar shows, and whether the user is editing it.
//
// The editing state belongs here alone. It starts with the user's change to
// the bar's text (typing, pasting, a suggestion put in with Down or Up) and
// ends on Enter, Escape, a chosen suggestion, a tab switch, or the keyboard
// moving to another part of the main window. Deactivating the window (Alt+Tab,
// another program, one of Velquin's own message boxes) does not end it. While
// it lasts, an address the current tab reports does not replace the text.
#pragma once

#include <windows.h>

#include <string>

// The current tab changed: editing ends, and the bar shows the current tab's
// address by the display rule. With no current tab, or when the engine cannot
// tell the address, the bar keeps what it shows.
void ShowCurrentAddress();

// The current tab reported `source`: the bar shows it unless the user is
// editing, whose text then stays as typed. When the bar has the focus, the
// new address is all selected, so that typing replaces it.
void ShowReportedAddress(const std::wstring& source);

// The transitions of the editing state.
bool IsAddressBeingEdited();
void BeginAddressEditing();
void EndAddressEditing();

// The bar lost the keyboard focus to `next` (WM_KILLFOCUS): editing ends when
// that is the main window or one of its children, not when the focus leaves
// the window altogether or goes to a window of its own (a message box).
void OnAddressBarFocusLost(HWND next);
