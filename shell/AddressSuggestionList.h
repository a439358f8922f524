// The list that drops down under the address bar while the user types: the
// visited addresses the typed text begins (core/AddressSuggestions.h).
//
// It is a plain list box of our own in a popup window owned by the main
// window, not the shell's autocomplete component (IAutoComplete2): under
// Wine 8 that component sorts what it offers alphabetically whatever order its
// enumerator gives, so it cannot offer the newest first, and with
// ACO_FILTERPREFIXES (which does make "local" offer http://localhost/) typing
// "http" offers nothing. The list lives on the UI thread only, the address bar
// keeps the keyboard focus throughout, and its entries are shown as plain text.
#pragma once

#include <windows.h>

#include <string>

extern HWND g_hSuggestionList;

// Creates the (hidden) list; the main window owns it and destroys it with itself.
void CreateSuggestionList(HWND owner);

bool SuggestionsShown();
void CloseSuggestions();

// The address bar's text changed: by the user's typing, the list offers what
// matches it; set by the browser, the list closes.
void OnAddressBarChanged();

// Runs `setText` (the address bar's own handling of WM_SETTEXT) as a change
// made by the browser, not by the user: unless it is the list putting an
// entry in, the list closes and the bar no longer holds a chosen entry.
LRESULT SetAddressBarTextByBrowser(HWND addressBar, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC setText);

// A key pressed in the address bar while the list is shown: Down and Up move
// through it, putting the entry (or, above the first, the typed text) into the
// bar; Escape closes it. Down and Up with Shift, Ctrl or Alt held are left to
// the edit control. Returns whether the key was used.
bool HandleSuggestionKey(WPARAM key);

// Enter in the address bar: closes the list and navigates the current tab to
// the bar's text. An entry put there from the list goes exactly to that
// address; anything else by the address bar's rules.
void NavigateFromAddressBar(const std::wstring& text);
