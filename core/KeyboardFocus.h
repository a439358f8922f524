// Where the keyboard goes: to the current tab's page whenever the main window
// itself receives the focus, and back to the control that had it when the
// window is activated again.
#pragma once

#include <windows.h>

// WM_SETFOCUS of the main window: hands the keyboard on to the current tab's
// page (the engine's own window); does nothing without a current tab.
void PassFocusToPage();

// Moves the keyboard into the current tab's page: through the main window,
// which hands it on, or directly when the main window has it already.
void FocusCurrentPage();

// The main window is being deactivated: remembers which of its controls (or
// the page) had the focus.
void RememberFocus();

// The main window is activated again: gives the focus back to what had it.
// Returns false when nothing of ours is to get it back (then the default
// activation focuses the main window, which hands it to the page).
bool RestoreFocus();
