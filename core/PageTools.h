// The engine's own find bar and print dialog for the current tab's page
// (Ctrl+F, F3, Shift+F3, Ctrl+P). An engine without the interfaces they need
// does nothing, quietly.
#pragma once

// Opens the engine's find bar on the current tab's page.
void StartFindInPage();

// The next (forward) or previous match, while a find started by
// StartFindInPage is active in the current tab.
void FindAgainInPage(bool forward);

// Opens the engine's print dialog for the current tab's page.
void PrintPage();
