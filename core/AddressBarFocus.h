// Putting the user into the address bar with its whole text selected, ready
// to be typed over.
#pragma once

// Focuses the address bar and selects all of it (Ctrl+L, Alt+D, F6, a new
// tab, and the New Tab page's search box). In full screen, which hides the
// bar, the window leaves full screen first, whoever held it.
void FocusAddressBar();

// Escape in the address bar: the current tab's address goes back in (the
// display rule: the New Tab page shows as its internal address) and all of it
// is selected. The bar keeps its text while there is no tab or the engine
// cannot tell the address.
void RestoreCurrentAddress();
